// Checks the box that reports a file the program could not read: captioned
// with the program's name, the loader's own text on its first line, then the
// file's path and the reason on the line under it.
#pragma once
#include <gtest/gtest.h>

#include <string>

#include "System/ErrorReport.h"
#include "platform/headless/HeadlessBackend.h"

namespace fixture {

// The text of such a box: the loader's text, "path: reason", and for a box
// that asks whether to quit its question. path_end is how the path ends
// ("PAL0.SHD"); reason is a part of the reason ("" for any).
inline ::testing::AssertionResult Is_File_Fault_Box(const MessageBoxCall& box, const std::string& text,
                                                    const std::string& path_end, const std::string& reason,
                                                    bool asks_to_quit) {
    if (box.caption != PROGRAM_NAME) return ::testing::AssertionFailure() << "caption [" << box.caption << "]";
    const std::string question = "\n\nQuit from Application ?";
    std::string body = box.text;
    if (asks_to_quit) {
        if (body.size() < question.size() || body.compare(body.size() - question.size(), question.size(), question))
            return ::testing::AssertionFailure() << "no question in [" << box.text << "]";
        body.resize(body.size() - question.size());
    }
    if (body.rfind(text + "\n", 0) != 0) return ::testing::AssertionFailure() << "text [" << box.text << "]";
    const std::string detail = body.substr(text.size() + 1);
    const std::size_t colon = detail.find(path_end + ": ");
    if (colon == std::string::npos || detail.find('\n') != std::string::npos)
        return ::testing::AssertionFailure() << "no line \"..." << path_end << ": reason\" in [" << box.text << "]";
    const std::string why = detail.substr(colon + path_end.size() + 2);
    if (why.empty() || why.find(reason) == std::string::npos)
        return ::testing::AssertionFailure() << "reason [" << why << "], not [" << reason << "]";
    return ::testing::AssertionSuccess();
}

}  // namespace fixture
