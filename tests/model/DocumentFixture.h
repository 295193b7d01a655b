// Shared by the document tests: a new document, answers for message boxes,
// and temporary files.
#pragma once

#include <gtest/gtest.h>

#include <windows.h>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "framework/MessageBox.h"
#include "model/DocumentDependencies.h"
#include "tests/framework/WindowTestSupport.h"

inline std::unique_ptr<CTalusimDoc> NewDocument()
{
    auto doc = std::make_unique<CTalusimDoc>();
    EXPECT_TRUE(doc->OnNewDocument());
    return doc;
}

inline std::string TestFolder()
{
    char buf[MAX_PATH];
    ::GetTempPathA(MAX_PATH, buf);
    std::string folder = std::string(buf) + "clastor-document-tests\\";
    ::CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
}

inline std::string WriteTextFile(const std::string& name, const std::string& text)
{
    std::string path = TestFolder() + name;
    std::ofstream out(path, std::ios::binary);
    out << text;
    return path;
}

inline std::string ReadTextFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

inline std::string FixturePath(const char* name)
{
    return std::string(CLASTOR_TEST_DATA) + "/documents/" + name;
}

inline CBarrierHit Hit(double x, double y, double v, double w, double te, double re, double mass,
                       CTalusimRockPath* path)
{
    CBarrierHit hit;
    hit.Set(x, y, v, w, te, re, mass, path, 0.0, 0.0, 0);
    return hit;
}

template <class T>
std::vector<T*> EntitiesOf(CTalusimDoc& doc, int category, int kind, int group)
{
    return CollectAs<T>(*doc.GetDatabase(), category, kind, group);
}

