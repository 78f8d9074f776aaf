// The folder editor's first reads, against stand-in drives and folders that answer as the letter
// of their drive says:
//   N: asleep: not even a look at it answers until the test wakes it;
//   M: awake, but its label and its folders' lists answer only once the test wakes it;
//   E: its reads fail by throwing, as a read can fail inside the system's calls.
#include <gtest/gtest.h>

#include <new>

#include "common/win32_module.h"
#include "common/win32_unique_handle.h"
#include "frm_main_fixture.h"
#include "ui/win32_folder_editor_start.h"

namespace {

using sq::DriveEntry;

sq::UniqueKernelHandle g_wake_up(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
volatile LONG g_opened_on_n = 0;

void SleepUntilWoken() { ::WaitForSingleObject(g_wake_up.get(), 30000); }

void StandInLook(const std::string& path) {
    if (path[0] == 'N') SleepUntilWoken();
}

void Open(char letter) {
    if (letter == 'N') ::InterlockedIncrement(&g_opened_on_n);
    if (letter == 'M') SleepUntilWoken();
    if (letter == 'E') throw std::bad_alloc();
}

std::vector<DriveEntry> StandInDrives(DWORD mask) {
    for (char letter = 'A'; letter <= 'Z'; ++letter) {
        if (mask != 1u << (letter - 'A')) continue;
        Open(letter);
        return {{letter, std::string{static_cast<char>(letter - 'A' + 'a'), ':'} + " [label " + letter + "]"}};
    }
    return {};
}

bool StandInSubfolders(const std::string& folder, std::vector<std::string>& names) {
    Open(folder[0]);
    if (folder == "C:\\Gone") return false;
    names = {folder + " sub"};
    return true;
}

std::vector<std::string> NamesIfRead(bool read, const char* folder) {
    if (!read) return {};
    return {std::string(folder) + " sub"};
}

constexpr DWORD kDrives = 1u << ('C' - 'A') | 1u << ('E' - 'A') | 1u << ('M' - 'A') | 1u << ('N' - 'A') |
                          1u << ('Z' - 'A');

struct Case {
    const char* name;
    const char* start;
    const char* stored;
    bool start_read;
    bool stored_read;
};

TEST(FolderEditorStart, WhatAnswersLateIsLeftOutAndItsThreadEndsOnItsOwn) {
    const Case cases[] = {
        {"both folders answer", "C:\\Start", "C:\\Music", true, true},
        {"the stored folder's drive is asleep", "C:\\Start", "N:\\Music", true, false},
        {"the stored folder's list comes late", "C:\\Start", "M:\\Music", true, false},
        {"the start folder cannot be read; none stored", "C:\\Gone", "", false, false},
    };
    const sq::FolderReads reads{&StandInLook, &StandInDrives, &StandInSubfolders};
    const long idle_locks = sq::ModuleLock::Count();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ::ResetEvent(g_wake_up.get());
        sq::FolderEditorStart found = sq::ReadFolderEditorStart(kDrives, c.start, c.stored, 300, reads);

        std::vector<std::string> captions;
        for (const DriveEntry& drive : found.drives) captions.push_back(std::string{drive.letter} + " " + drive.caption);
        const std::vector<std::string> expected = {"C c: [label C]", "E e:", "M m:", "N n:", "Z z: [label Z]"};
        EXPECT_EQ(captions, expected) << "a drive that fails or answers late is listed by its letter";
        EXPECT_EQ(found.start.read, c.start_read);
        EXPECT_EQ(found.start.names, NamesIfRead(c.start_read, c.start));
        EXPECT_EQ(found.stored.read, c.stored_read);
        EXPECT_EQ(found.stored.names, NamesIfRead(c.stored_read, c.stored));

        // The late reads still run, holding the module, and finish into what the call has let go.
        found = {};
        EXPECT_GT(sq::ModuleLock::Count(), idle_locks);
        ::SetEvent(g_wake_up.get());
        EXPECT_TRUE(uitest::PumpUntil([&] { return sq::ModuleLock::Count() == idle_locks; }, 10000))
            << "every reading thread gives the module back when it ends";
    }
    EXPECT_EQ(g_opened_on_n, 0) << "nothing is opened on a drive that answered nothing in time";
}

}  // namespace
