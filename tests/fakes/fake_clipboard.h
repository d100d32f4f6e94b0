// A clipboard held in memory that can be told to fail at each of its three operations.
#pragma once

#include <string>
#include <vector>

#include "calc_failure.h"
#include "clipboard.h"

namespace zobu::testing {

class FakeClipboard : public Clipboard {
public:
    void ClipboardClear() override {
        calls.push_back("clear");
        if (failClear) {
            throw CalcFailure(FailureKind::ClipboardUnavailable);
        }
        content.clear();
    }
    void ClipboardPutText(std::string_view text) override {
        calls.push_back("put");
        if (failPut) {
            throw CalcFailure(FailureKind::ClipboardUnavailable);
        }
        content = std::string(text);
    }
    std::string ClipboardGetText() override {
        calls.push_back("get");
        if (failGet) {
            throw CalcFailure(FailureKind::ClipboardUnavailable);
        }
        return content;
    }

    std::string content;
    bool failClear = false;
    bool failPut = false;
    bool failGet = false;
    std::vector<std::string> calls;
};

}  // namespace zobu::testing
