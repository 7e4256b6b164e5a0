// SPDX-License-Identifier: MIT
#pragma once

#include "cad/KivSlideFile.h"

#include <string>
#include <vector>

// Writes every primitive as one line of text: "L x1,y1-x2,y2", "P x,y x,y…", "C n".
struct RecordingSink : KivSlideSink {
    std::vector<std::string> out;
    void SlideLine(KivSlidePoint a, KivSlidePoint b) override
    {
        out.push_back("L " + std::to_string(a.x) + "," + std::to_string(a.y) + "-" + std::to_string(b.x) + ","
            + std::to_string(b.y));
    }
    void SlidePolygon(const std::vector<KivSlidePoint>& v) override
    {
        std::string s = "P";
        for (const auto& p : v)
            s += " " + std::to_string(p.x) + "," + std::to_string(p.y);
        out.push_back(s);
    }
    void SlideColor(int aci) override { out.push_back("C " + std::to_string(aci)); }
};
