#pragma once
// Where a step that failed and was skipped tells of it: in the plug-in one line in the debugger's
// output, naming what was caught; the user sees nothing.
namespace sq {

class FailureTrace {
public:
    virtual ~FailureTrace() = default;
    // Only inside a catch block.
    virtual void Trace(const wchar_t* what) noexcept = 0;
};

// A step that fails is skipped: what it should have given counts as empty.
template <typename Step>
auto OrEmpty(FailureTrace& failures, Step step) noexcept -> decltype(step()) {
    try {
        return step();
    } catch (...) {
        failures.Trace(L"a step of the run failed; what it gives counts as empty");
        return {};
    }
}

}  // namespace sq
