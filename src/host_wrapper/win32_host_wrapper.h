#pragma once
// The Wrapper object the plug-in receives from Initialize: it answers the player's main window
// and takes the plug-in's description for the player's plug-in list.
#include <windows.h>

#include <string>

#include "kvo_winamp_gen.h"

namespace sq {

// Where the description ends up: the player reads it as an 8-bit string through the
// descriptor, long after the BSTR it came in is gone, so the text is kept here.
struct DescriptionSink {
    std::string text;
    char** published = nullptr;  // the descriptor's description field
};

class HostWrapper final : public Wrapper {
public:
    // Returns a new object with one reference, or nullptr when out of memory.
    static HostWrapper* Create(HWND player, DescriptionSink* sink) noexcept;

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;
    STDMETHODIMP GetPlayerWindow(long* hwnd) override;
    STDMETHODIMP SetDescription(BSTR description) override;

private:
    HostWrapper(HWND player, DescriptionSink* sink) : player_(player), sink_(sink) {}
    ~HostWrapper() = default;

    HWND player_;
    DescriptionSink* sink_;
    LONG refs_ = 1;
};

}  // namespace sq
