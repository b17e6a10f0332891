#pragma once
// Ownership of one COM interface pointer: released when the holder goes, shared with a
// new reference when copied.
#include <utility>

template <typename T>
class ComPtr {
public:
    ComPtr() = default;
    // Takes over a reference the caller already owns (a creation or QueryInterface out).
    static ComPtr Adopt(T* p) {
        ComPtr held;
        held.p_ = p;
        return held;
    }
    // Shares an object someone else owns: adds a reference of its own.
    static ComPtr Share(T* p) {
        if (p != nullptr) {
            p->AddRef();
        }
        return Adopt(p);
    }
    ComPtr(const ComPtr& other) : p_(other.p_) {
        if (p_ != nullptr) {
            p_->AddRef();
        }
    }
    ComPtr(ComPtr&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
    ComPtr& operator=(ComPtr other) noexcept {
        std::swap(p_, other.p_);
        return *this;
    }
    ~ComPtr() { reset(); }

    T* get() const { return p_; }
    T* operator->() const { return p_; }
    explicit operator bool() const { return p_ != nullptr; }
    void reset() {
        if (T* p = std::exchange(p_, nullptr)) {
            p->Release();
        }
    }
    // For an out parameter: drops what is held and lets the callee fill it in.
    T** put() {
        reset();
        return &p_;
    }
    // Hands the reference to the caller (a COM out parameter).
    T* detach() { return std::exchange(p_, nullptr); }

private:
    T* p_ = nullptr;
};
