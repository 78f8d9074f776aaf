#include "ui/win32_folder_editor_start.h"

#include <memory>
#include <utility>

#include "common/win32_debug_trace.h"
#include "common/win32_module.h"
#include "common/win32_unique_handle.h"

namespace sq {
namespace {

// One read's answer. Its worker fills it in and then sets `answered`; the waiting thread takes
// only answers whose flag it finds set, so the two never touch one answer at the same time.
struct Answer {
    volatile LONG answered = 0;
    std::vector<DriveEntry> drive;  // the drive with its caption, when it answered
    SubfolderRead folder;
};

// Shared by the waiting thread and the workers, each holding a reference: the last to let go
// frees it, so a worker that answers after the wait has ended still writes into live memory.
struct Answers {
    explicit Answers(size_t count) : slots(count), outstanding(static_cast<LONG>(count)) {}

    void GiveUp() noexcept { ::InterlockedExchange(&given_up, 1); }
    bool GivenUp() noexcept { return ::InterlockedCompareExchange(&given_up, 0, 0) != 0; }

    void Deliver(Answer& answer) noexcept {
        ::InterlockedExchange(&answer.answered, 1);
        if (::InterlockedDecrement(&outstanding) == 0) ::SetEvent(all_answered.get());
    }
    static bool Answered(Answer& answer) noexcept { return ::InterlockedCompareExchange(&answer.answered, 0, 0) != 0; }

    std::vector<Answer> slots;
    volatile LONG outstanding;
    volatile LONG given_up = 0;  // the caller has stopped waiting: what is not read yet never will be
    UniqueKernelHandle all_answered{::CreateEventW(nullptr, TRUE, FALSE, nullptr)};
};

struct Job {
    std::shared_ptr<Answers> answers;
    size_t slot = 0;
    FolderReads reads;
    DWORD drive_mask = 0;  // the drive's bit, or 0 when the job reads `folder`
    std::string folder;
    std::string look_at;  // the drive's root, or the folder
    // However late its thread ends, the module stays loaded, and DllCanUnloadNow answers no,
    // until then.
    ModuleLock module_lock;
    UniqueLibrary module;  // the thread's reference to the code it runs
};

void Run(Job& job) noexcept {
    Answer& answer = job.answers->slots[job.slot];
    try {
        job.reads.look_at(job.look_at);
        // Nothing is opened on a drive that did not answer in time.
        if (!job.answers->GivenUp()) {
            if (job.drive_mask) answer.drive = job.reads.list_drives(job.drive_mask);
            else answer.folder.read = job.reads.read_subfolders(job.folder, answer.folder.names);
        }
    } catch (...) {
        TraceCaughtException(L"folder editor's first read", L"a drive or a folder cannot be read");
        answer.drive.clear();
        answer.folder = SubfolderRead();
    }
    job.answers->Deliver(answer);
}

DWORD WINAPI RunJob(void* parameter) {
    HMODULE module = nullptr;
    {
        std::unique_ptr<Job> job(static_cast<Job*>(parameter));
        Run(*job);
        module = job->module.release();
    }
    // Gives the module back and ends the thread in one step: were the module unloaded by a plain
    // FreeLibrary, the instructions after it would be gone.
    ::FreeLibraryAndExitThread(module, 0);
    return 0;
}

// Runs the job on a thread of its own. False when no thread could be started.
bool Start(std::unique_ptr<Job> job) {
    if (!::GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS, reinterpret_cast<LPCWSTR>(&RunJob),
                              job->module.put()))
        return false;
    const UniqueKernelHandle thread(::CreateThread(nullptr, 0, &RunJob, job.get(), 0, nullptr));
    if (!thread) return false;
    job.release();  // NOLINT(bugprone-unused-return-value): the thread owns the job now; RunJob deletes it
    return true;
}

}  // namespace

FolderEditorStart ReadFolderEditorStart(DWORD drive_mask, const std::string& start, const std::string& stored,
                                        DWORD wait_ms, const FolderReads& reads) {
    const std::vector<char> letters = DriveLetters(drive_mask);
    // One slot per drive, then the start folder's, then the stored folder's.
    const size_t start_slot = letters.size();
    const auto answers = std::make_shared<Answers>(start_slot + 2);
    for (size_t slot = 0; slot < answers->slots.size(); ++slot) {
        auto job = std::make_unique<Job>();
        job->answers = answers;
        job->slot = slot;
        job->reads = reads;
        if (slot < start_slot) {
            job->drive_mask = 1u << (letters[slot] - 'A');
            job->look_at = {letters[slot], ':', '\\'};
        } else {
            job->folder = slot == start_slot ? start : stored;
            job->look_at = job->folder;
        }
        const bool wanted = job->drive_mask != 0 || !job->folder.empty();
        // Without the event nothing could be waited for: everything then counts as late.
        if (!wanted || !answers->all_answered || !Start(std::move(job))) answers->Deliver(answers->slots[slot]);
    }
    if (answers->all_answered) ::WaitForSingleObject(answers->all_answered.get(), wait_ms);
    answers->GiveUp();

    FolderEditorStart found;
    for (size_t slot = 0; slot < start_slot; ++slot) {
        Answer& answer = answers->slots[slot];
        if (Answers::Answered(answer) && answer.drive.size() == 1)
            found.drives.push_back(std::move(answer.drive.front()));
        else
            found.drives.push_back({letters[slot], DriveCaption(letters[slot])});
    }
    if (Answers::Answered(answers->slots[start_slot])) found.start = std::move(answers->slots[start_slot].folder);
    if (Answers::Answered(answers->slots[start_slot + 1])) found.stored = std::move(answers->slots[start_slot + 1].folder);
    return found;
}

}  // namespace sq
