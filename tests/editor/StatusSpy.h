// Keeps what the editor writes into its status line while the test runs,
// whether or not the editor's dialogs are open.
#pragma once
#include <string>
#include <vector>

#include "datafiles/Hooks.h"

namespace fixture {

class StatusSpy {
  public:
    StatusSpy() : saved_(Datafiles_Hooks().editor_message) {
        Messages().clear();
        Datafiles_Hooks().editor_message = [](const char* text) { Messages().push_back(text); };
    }
    ~StatusSpy() { Datafiles_Hooks().editor_message = saved_; }
    StatusSpy(const StatusSpy&) = delete;
    StatusSpy& operator=(const StatusSpy&) = delete;

    std::string Last() const { return Messages().empty() ? std::string() : Messages().back(); }
    const std::vector<std::string>& All() const { return Messages(); }

  private:
    static std::vector<std::string>& Messages() {
        static std::vector<std::string> messages;
        return messages;
    }
    void (*saved_)(const char*);
};

}  // namespace fixture
