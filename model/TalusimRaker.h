// A seeder: where rocks start. A point seeder has one vertex; a line seeder
// is a polyline along which each rock's start point is drawn at random. It
// carries the initial conditions of its rocks as normal distributions.
#pragma once

#include "geometry/PolyLine.h"

class CTalusimRaker : public CPolyLine
{
    DECLARE_SERIAL(CTalusimRaker)
public:
    static constexpr int kKindId = 2151;
    static constexpr int kGroupPointSeeder = 2169;
    static constexpr int kGroupLineSeeder = 2170;
    // A radius at or below the smallest normal float counts as no radius.
    static constexpr double kRadiusThreshold = 1.1754944e-38;

    CTalusimRaker();

    void SetVelocity(double vxMean, double vyMean, double vxSd, double vySd);
    void GetVelocity(double& vxMean, double& vyMean, double& vxSd, double& vySd) const;
    void SetMass(double mean, double sd);
    void GetMass(double& mean, double& sd) const;
    void SetRadius(double mean, double sd);
    void GetRadius(double& mean, double& sd) const;
    double GetRadiusMean() const { return m_radiusMean; }
    void SetAngularVelocity(double mean, double sd);
    void GetAngularVelocity(double& mean, double& sd) const;
    bool HasRadius() const { return m_radiusMean > kRadiusThreshold; }
    bool IsPointSeeder() const { return GetVertexCount() == 1; }

    // Samples from the program's random sequence; the order of the draws is
    // part of the result, so that a fixed seed gives the same rocks.
    double SampleMass() const;
    double SampleAngularVelocity() const;
    CVector2D SampleVelocity() const;
    CVector2D GetStartPoint() const;
    // Sum of the segment lengths (0 for a point seeder).
    double GetLength() const;

    void Serialize(CArchive& ar) override;
    double GetTop() const override;
    double GetLeft() const override;
    double GetRight() const override;
    double GetBottom() const override;
    void GetDeviceRect(CRect& out, CViewContext* pView, CWnd* pWnd) override;
    void Draw(CDC* pDC, CViewContext* pView) override;
    void get_data_tip_text(double x, double y, int n, CViewContext* pView, CString& text) override;
    bool QueryOption(CPickRequest* pRequest, CViewContext* pView, int code) override;
    int GetExportPartCount() override;
    bool GetExportPartPoints(int part, CVectorArray& points) override;
    CString GetExportPartLayer(int part) override;

    // A line seeder meets the rectangle as its polyline does; a point seeder
    // when its vertex lies in it, bounds included.
    virtual bool IntersectsRectOrPoint(bool closed, double top, double left, double bottom, double right);

private:
    void DrawPointSeeder(CDC* pDC, CViewContext* pView);

    double m_radiusMean = 0.0;
    double m_radiusSd = 0.0;
    CVector2D m_velocityMean{0.0, 0.0};
    CVector2D m_velocitySd{0.0, 0.0};
    double m_massMean = 10.0;
    double m_massSd = 0.0;
    double m_angularMean = 0.0;
    double m_angularSd = 0.0;
};
