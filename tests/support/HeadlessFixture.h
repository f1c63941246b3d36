// A test fixture that starts from a clean headless backend: no recorded boxes,
// an empty queue, no quit; boxes answered by the first button unless a test
// sets HeadlessBackend::answer.
#pragma once
#include <gtest/gtest.h>

#include "System/ErrorReport.h"
#include "platform/headless/HeadlessBackend.h"

class HeadlessTest : public ::testing::Test {
  protected:
    void SetUp() override {
        Set_Window_Backend(nullptr);
        Headless_Backend().Reset();
        Reset_Quitting();
    }
    void TearDown() override {
        Headless_Backend().Reset();
        Reset_Quitting();
    }
    HeadlessBackend& backend() { return Headless_Backend(); }
};
