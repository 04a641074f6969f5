#pragma once
// Owning wrappers for COM: the apartment a thread joins, and interface pointers.

#include <objbase.h>

namespace quorvel {

// COM initialised on this thread while this lives. A thread that joined another
// kind of apartment can still use COM; it is then not left again here.
class ComApartment {
  public:
    ComApartment() noexcept
        : result_(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE)) {}
    ~ComApartment() {
        if (SUCCEEDED(result_)) {
            ::CoUninitialize();
        }
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

    explicit operator bool() const noexcept {
        return SUCCEEDED(result_) || result_ == RPC_E_CHANGED_MODE;
    }

  private:
    HRESULT result_;
};

// One reference to a COM object's interface, released when this goes away.
template <typename Interface>
class ComPointer {
  public:
    ComPointer() noexcept = default;
    ~ComPointer() { reset(); }
    ComPointer(const ComPointer&) = delete;
    ComPointer& operator=(const ComPointer&) = delete;

    Interface* operator->() const noexcept { return pointer_; }
    Interface* get() const noexcept { return pointer_; }
    explicit operator bool() const noexcept { return pointer_ != nullptr; }

    // For functions that hand back a new reference through a void**.
    void** put() noexcept {
        reset();
        return reinterpret_cast<void**>(&pointer_);
    }

    void reset() noexcept {
        if (pointer_ != nullptr) {
            pointer_->Release();
            pointer_ = nullptr;
        }
    }

  private:
    Interface* pointer_ = nullptr;
};

}  // namespace quorvel
