#pragma once
// Sonoquill_WA.clsMP3: the tag reader as a public, creatable, scriptable class. Its members are
// the core clsMP3's; failures reach the caller as FACILITY_CONTROL HRESULTs with rich error
// information (number, source "clsMP3", description).
#include <windows.h>

#include "media/cls_mp3.h"
#include "media/win32_file.h"
#include "common/win32_com_object.h"
#include "sonoquill_wa.h"

namespace sq {

// Creates a Sonoquill_WA.clsMP3 object (the class factory's create function).
HRESULT CreateClsMP3(REFIID iid, void** out);

// The HRESULT a caller of the class sees for a failure with this number.
inline HRESULT ClsMP3Failure(long number) {
    return MAKE_HRESULT(SEVERITY_ERROR, FACILITY_CONTROL, static_cast<unsigned>(number) & 0xFFFFu);
}

class ClsMP3Object final : public ComObject<ClsMP3Object, _clsMP3, ISupportErrorInfo> {
public:
    ClsMP3Object() noexcept : mp3_(files_) {}

#define SQ_CLSMP3_TEXT_PROPERTY(Name)                                                       \
    STDMETHODIMP get_##Name(BSTR* value) override { return GetText(mp3_.Name, value); } \
    STDMETHODIMP put_##Name(BSTR value) override { return PutText(mp3_.Name, value); }
    SQ_CLSMP3_TEXT_PROPERTY(Duration)
    SQ_CLSMP3_TEXT_PROPERTY(Frequency)
    SQ_CLSMP3_TEXT_PROPERTY(Mode)
    SQ_CLSMP3_TEXT_PROPERTY(MpegLayer)
    SQ_CLSMP3_TEXT_PROPERTY(MpegVersion)
    SQ_CLSMP3_TEXT_PROPERTY(BitRate)
    SQ_CLSMP3_TEXT_PROPERTY(Songname)
    SQ_CLSMP3_TEXT_PROPERTY(Artist)
    SQ_CLSMP3_TEXT_PROPERTY(Album)
    SQ_CLSMP3_TEXT_PROPERTY(Year)
    SQ_CLSMP3_TEXT_PROPERTY(Comment)
    SQ_CLSMP3_TEXT_PROPERTY(Genre)
    SQ_CLSMP3_TEXT_PROPERTY(Track)
    SQ_CLSMP3_TEXT_PROPERTY(Files)
    SQ_CLSMP3_TEXT_PROPERTY(Subdirs)
#undef SQ_CLSMP3_TEXT_PROPERTY

    STDMETHODIMP get_VBR(VARIANT_BOOL* value) override;
    STDMETHODIMP put_VBR(VARIANT_BOOL value) override;
    STDMETHODIMP SearchDir(BSTR RootDir, BSTR FileType, VARIANT_BOOL* result) override;
    STDMETHODIMP ReadMP3(VARIANT FileName, VARIANT_BOOL* result) override;

    STDMETHODIMP InterfaceSupportsErrorInfo(REFIID iid) override;

private:
    static HRESULT GetText(const std::string& member, BSTR* value);
    static HRESULT PutText(std::string& member, BSTR value);
    // Hands the error to the caller's thread as its error information.
    static HRESULT Report(const ClsMP3Error& error) noexcept;
    // Runs a method's body and turns its failures into the HRESULT and error information that
    // script callers see; `result` is true only when the body ran to its end.
    template <typename Body>
    static HRESULT RunMethod(VARIANT_BOOL* result, Body body) noexcept;
    static void SetCallerErrorInfo(const ClsMP3Error& error);

    Win32FileOpener files_;
    clsMP3 mp3_;
};

}  // namespace sq
