// SPDX-License-Identifier: GPL-3.0-or-later
#include "payroll/interrupt_cleanup.h"

#include <atomic>

#ifdef _WIN32
#include "payroll/files.h"

#include <windows.h>
#else
#include <csignal>
#include <unistd.h>
#endif

namespace tallyra::payroll {

namespace {

#ifdef _WIN32

using PathChar = wchar_t;
std::wstring g_storage;

void RemoveFile(const wchar_t* path)
{
    DeleteFileW(path); // the file was opened with FILE_SHARE_DELETE: it goes when it is closed
}

BOOL WINAPI OnConsoleEvent(DWORD);

void InstallOnce()
{
    static const bool installed = SetConsoleCtrlHandler(OnConsoleEvent, TRUE) != 0;
    (void)installed;
}

std::wstring Stored(const std::string& path)
{
    return Widen(path);
}

#else

using PathChar = char;
std::string g_storage;

void RemoveFile(const char* path)
{
    unlink(path);
}

void OnSignal(int signal);

// The signals whose default action ends the process; one ignored from the start (nohup's
// SIGHUP) stays ignored.
void InstallOnce()
{
    static bool installed = false;
    if (installed)
        return;
    installed = true;
    for (int signal :
         {SIGHUP, SIGINT, SIGQUIT, SIGTERM, SIGPIPE, SIGALRM, SIGUSR1, SIGUSR2, SIGXCPU, SIGXFSZ}) {
        struct sigaction previous;
        if (sigaction(signal, nullptr, &previous) != 0 || previous.sa_handler == SIG_IGN)
            continue;
        struct sigaction action = {};
        action.sa_handler = OnSignal;
        sigemptyset(&action.sa_mask);
        sigaction(signal, &action, nullptr);
    }
}

std::string Stored(const std::string& path)
{
    return path;
}

#endif

// Read by the handler, which runs on the thread it interrupts (POSIX) or on a thread of its
// own (Windows): a lock-free atomic pointer, to storage changed only while it is null.
std::atomic<const PathChar*> g_armed{nullptr};
static_assert(std::atomic<const PathChar*>::is_always_lock_free);

void RemoveArmed()
{
    if (const PathChar* path = g_armed.exchange(nullptr))
        RemoveFile(path);
}

#ifdef _WIN32
BOOL WINAPI OnConsoleEvent(DWORD)
{
    RemoveArmed();
    return FALSE; // the default handling ends the process
}
#else
void OnSignal(int signal)
{
    RemoveArmed();
    struct sigaction action = {};
    action.sa_handler = SIG_DFL;
    sigemptyset(&action.sa_mask);
    sigaction(signal, &action, nullptr);
    raise(signal); // delivered once the handler returns: the process ends by the signal
}
#endif

} // namespace

RemovedOnInterrupt::RemovedOnInterrupt(const std::string& path)
{
    InstallOnce();
    g_armed.store(nullptr);
    g_storage = Stored(path);
    g_armed.store(g_storage.c_str());
}

RemovedOnInterrupt::~RemovedOnInterrupt()
{
    g_armed.store(nullptr);
}

} // namespace tallyra::payroll
