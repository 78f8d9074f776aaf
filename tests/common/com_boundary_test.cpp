// Out of memory at the COM boundary: the component's code is linked into this program with the
// type library, and every allocation can be made to fail, so that a bad_alloc thrown inside
// GetIDsOfNames, Invoke or a class factory is seen coming back as an HRESULT, never unwinding
// into COM or a script host.
#include <windows.h>
#include <oleauto.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <new>
#include <stdexcept>

#include "common/win32_class_factory.h"
#include "common/win32_com_ptr.h"
#include "media/win32_cls_mp3_com.h"
#include "sonoquill_wa.h"

namespace {

bool g_fail_allocations = false;

void* Allocate(std::size_t size) {
    if (g_fail_allocations) throw std::bad_alloc();
    if (void* p = std::malloc(size ? size : 1)) return p;
    throw std::bad_alloc();
}

}  // namespace

void* operator new(std::size_t size) { return Allocate(size); }
void* operator new[](std::size_t size) { return Allocate(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return g_fail_allocations ? nullptr : std::malloc(size ? size : 1); }
void* operator new[](std::size_t size, const std::nothrow_t& tag) noexcept { return operator new(size, tag); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }

namespace {

using sq::ComPtr;

class OutOfMemory {
public:
    OutOfMemory() { g_fail_allocations = true; }
    ~OutOfMemory() { g_fail_allocations = false; }
    OutOfMemory(const OutOfMemory&) = delete;
    OutOfMemory& operator=(const OutOfMemory&) = delete;
};

HRESULT GetSongname(IDispatch* object, DISPID id, VARIANT& result) {
    DISPPARAMS none{};
    ::VariantInit(&result);
    EXCEPINFO error{};
    return object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none, &result, &error, nullptr);
}

// One process, in this order: the type library is loaded on first use and kept, so the calls
// that must fail while loading it come first.
TEST(ComBoundary, BadAllocInsideDispatchAndFactoriesComesBackAsAnHresult) {
    ASSERT_TRUE(SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
    ComPtr<IDispatch> mp3;
    ASSERT_EQ(sq::CreateClsMP3(IID_IDispatch, mp3.put_void()), S_OK);
    OLECHAR name[] = L"Songname";
    LPOLESTR names[] = {name};
    DISPID id = DISPID_UNKNOWN;
    VARIANT result;
    {
        OutOfMemory failing;
        const HRESULT ids = mp3->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
        const HRESULT invoked = GetSongname(mp3.get(), 0x68030006, result);
        g_fail_allocations = false;
        EXPECT_EQ(ids, E_OUTOFMEMORY);
        EXPECT_EQ(invoked, E_OUTOFMEMORY);
    }
    ASSERT_EQ(mp3->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id), S_OK) << "memory is back";
    EXPECT_EQ(id, 0x68030006);

    // With the type information in hand, the property's own allocation fails inside Invoke.
    ComPtr<_clsMP3> typed;
    ASSERT_EQ(mp3->QueryInterface(IID__clsMP3, typed.put_void()), S_OK);
    BSTR title = ::SysAllocString(L"A title long enough to need the heap");
    ASSERT_EQ(typed->put_Songname(title), S_OK);
    ::SysFreeString(title);
    HRESULT invoked = S_OK;
    {
        OutOfMemory failing;
        invoked = GetSongname(mp3.get(), id, result);
    }
    EXPECT_TRUE(invoked == E_OUTOFMEMORY || invoked == DISP_E_EXCEPTION) << std::hex << invoked;
    ASSERT_EQ(GetSongname(mp3.get(), id, result), S_OK);
    EXPECT_EQ(result.vt, VT_BSTR);
    ::VariantClear(&result);

    // A factory whose class cannot be made, and one that is out of memory itself. Only bad_alloc
    // is told as out of memory.
    ComPtr<IClassFactory> throwing;
    const sq::CreateFunction throws_bad_alloc = [](REFIID, void**) -> HRESULT { throw std::bad_alloc(); };
    ASSERT_EQ(sq::ClassFactory::Make(IID_IClassFactory, throwing.put_void(), throws_bad_alloc), S_OK);
    ComPtr<IUnknown> made;
    EXPECT_EQ(throwing->CreateInstance(nullptr, IID_IUnknown, made.put_void()), E_OUTOFMEMORY);
    const sq::CreateFunction throws_other = [](REFIID, void**) -> HRESULT { throw std::runtime_error("broken"); };
    ASSERT_EQ(sq::ClassFactory::Make(IID_IClassFactory, throwing.put_void(), throws_other), S_OK);
    EXPECT_EQ(throwing->CreateInstance(nullptr, IID_IUnknown, made.put_void()), E_UNEXPECTED);
    ComPtr<IClassFactory> factory;
    ASSERT_EQ(sq::ClassFactory::Make(IID_IClassFactory, factory.put_void(), &sq::CreateClsMP3), S_OK);
    HRESULT created = S_OK;
    {
        OutOfMemory failing;
        created = factory->CreateInstance(nullptr, IID_IDispatch, made.put_void());
    }
    EXPECT_EQ(created, E_OUTOFMEMORY);
    EXPECT_FALSE(made);

    mp3.reset();
    ::CoUninitialize();
}

}  // namespace
