// Writes the case of a disc run from the document: the slope's segments and
// the barriers become walls, the seeders become balls (with the discs left by
// the previous throw when discs depend on each other), and the contact
// properties follow from the most energetic disc of the case and from each
// segment's material. Every number is in the document's units.
#pragma once

#include <string>
#include <vector>
#include "discs/DiscStartPlacement.h"

class CTalusimDoc;

// The disc program's constants in a document's units: metres, kilograms and
// seconds, or feet, pounds and seconds. Gravity is Compute's for feet (32
// ft/s^2); the disc program's own 9.81 m/s^2 for metres.
struct CDiscUnits {
    double gravity = 9.81;
    double density = 2700.0;   // of the rock a disc is made of
    double perMetre = 1.0;     // lengths: a metre in the document's unit
    static CDiscUnits Of(bool metric);
};

struct CDiscCaseLimits {
    int maxWalls = 1000;
    int maxBalls = 10000;
};

// What a throw needs to know of the written case.
struct CDiscCase {
    std::vector<double> seederRadii;   // the disc radius of each seeder, in database order
    int walls = 0;
    int balls = 0;
};

class CDiscCaseWriter
{
public:
    static constexpr const char* kCaseName = "wr";
    static constexpr const char* kBallName = "wr.dsc";

    explicit CDiscCaseWriter(CTalusimDoc& doc, CDiscCaseLimits limits = {}) : m_doc(doc), m_limits(limits) {}

    // Writes "wr" and "wr.dsc" into the folder. False with a message for the
    // user when the document can't make a sound case or a file can't be
    // written; nothing the document holds is changed.
    bool Write(const std::string& folder, CDiscCase& written);
    // Whether a run of `throws` throws can be written at all, decided from
    // the document alone (no sample is drawn, nothing is changed), so that a
    // run that can't be made is refused before any result is thrown away.
    bool Check(int throws);
    const std::string& Error() const { return m_error; }

    // The radius of a rock disc of mass m (a sphere of the rock's density).
    static double RadiusOfMass(double m, const CDiscUnits& units = CDiscUnits());
    // A positive normal sample of a seeder's mass; 0 when none comes in many draws.
    static double PositiveMass(const class CTalusimRaker& seeder);

private:
    // What every case is made from: the slope (at least one segment), its
    // lowest height, the seeders (at least one) and the barriers.
    struct Model {
        class CTalusimSlope* slope = nullptr;
        int segments = 0;
        double lowest = 0;
        std::vector<class CTalusimRaker*> seeders;
        std::vector<class CTalusimBarrier*> barriers;
        CDiscWalls walls;   // what a disc must start clear of
    };
    bool GatherModel(Model& model);
    bool Fail(const std::string& message);
    bool CheckCounts(int walls, long long balls);
    // Where the disc of radius r of seeder `index` starts; false (with a
    // message naming the seeder) when it can't start clear of the walls.
    bool StartOf(const Model& model, size_t index, double r, CVector2D& centre);

    CTalusimDoc& m_doc;
    CDiscCaseLimits m_limits;
    std::string m_error;
};
