// One running copy of the program per user and program folder: a copy started
// while another runs asks that one to come forward and ends, instead of
// finding the instrument's port taken.
#pragma once

#include <functional>
#include <memory>
#include <string>

class ProgramInstance {
   public:
    // Claims `programFolder` for this process, for as long as the object
    // lives. When another copy of the same user holds it, that copy is asked
    // to come forward (its `anotherStart` runs on its user-interface thread
    // from its event processing) and Claimed() is false. A claim that the
    // system cannot check lets the program run: Claimed() is true.
    ProgramInstance(const std::string& programFolder, std::function<void()> anotherStart);
    ~ProgramInstance();
    ProgramInstance(const ProgramInstance&) = delete;
    ProgramInstance& operator=(const ProgramInstance&) = delete;

    bool Claimed() const { return claimed_; }

   private:
    struct Held;  // what each system holds while the claim lasts
    std::unique_ptr<Held> held_;
    bool claimed_ = true;
};

// The name both copies derive from the program folder (the same folder gives
// the same name): "BriskelView-" and 16 hexadecimal digits.
std::string ProgramInstanceName(const std::string& programFolder);
