// SPDX-License-Identifier: MIT
// Starting other programs (shell commands, logind, the desktop's opener)
// goes through here, so that tests record the requests instead of running
// them: no test can ever power off or log off the machine it runs on.
#pragma once

#include "platform/base/CString.h"

#include <deque>
#include <vector>

struct ProcessRequest {
    CString program;
    std::vector<CString> arguments;
    bool wait;
};

// With wait, runs the program to its end and gives its exit code; without,
// starts it detached and gives 0. -1 when it cannot be started.
KIVPLATFORM_EXPORT int RunProcess(const CString& program, const std::vector<CString>& arguments, bool wait);

// The full path of a program on PATH; empty when there is none.
KIVPLATFORM_EXPORT CString FindProgram(const char* name);

// The folder of the running program, with its trailing "/"; empty when the
// system does not say.
KIVPLATFORM_EXPORT CString ProgramFolder();

// While one exists, requests are recorded and answered with the scripted
// exit codes (0 once they run out) instead of started.
class KIVPLATFORM_EXPORT ProcessRecorder {
public:
    ProcessRecorder();
    ~ProcessRecorder();
    ProcessRecorder(const ProcessRecorder&) = delete;
    ProcessRecorder& operator=(const ProcessRecorder&) = delete;

    void answer(int exitCode) { m_answers.push_back(exitCode); }
    const std::vector<ProcessRequest>& requests() const { return m_requests; }

private:
    friend int RunProcess(const CString&, const std::vector<CString>&, bool);
    ProcessRecorder* m_previous;
    std::deque<int> m_answers;
    std::vector<ProcessRequest> m_requests;
};
