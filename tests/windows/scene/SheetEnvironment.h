#pragma once
#include <string>

#include <gtest/gtest.h>

#include "FrameImage.h"

// Collects small copies of the frames a test program keeps and, for the program that
// owns the sheet, puts every collected copy into one contact sheet at the end.
class SheetEnvironment : public testing::Environment {
public:
    SheetEnvironment(std::string prefix, bool writesSheet);
    // Stores a small copy of the frame beside the full-size PNGs.
    static void add(const FrameImage& frame);
    void TearDown() override;

private:
    static SheetEnvironment* current_;
    std::string prefix_;
    bool writesSheet_;
    int count_ = 0;
};
