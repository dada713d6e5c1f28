#pragma once
// Small owners for COM: the CoInitialize/CoUninitialize pair, interface pointers, BSTRs and
// VARIANTs, and a late-bound IDispatch caller whose DISPIDs are looked up once per name.

#include <objbase.h>
#include <oleauto.h>
#include <windows.h>

#include <initializer_list>
#include <string>
#include <utility>

#include "engine/text.h"

namespace brindel::com {

// CoInitialize(nullptr) at construction, CoUninitialize at destruction when it succeeded
// (S_OK or S_FALSE: both count as one initialisation that must be paired).
class ScopedComInit {
 public:
  ScopedComInit() : result_(CoInitialize(nullptr)) {}
  ~ScopedComInit() {
    if (SUCCEEDED(result_)) CoUninitialize();
  }
  ScopedComInit(const ScopedComInit&) = delete;
  ScopedComInit& operator=(const ScopedComInit&) = delete;
  bool ok() const { return SUCCEEDED(result_); }

 private:
  HRESULT result_;
};

// An owned reference to an interface.
template <class T>
class ComPtr {
 public:
  ComPtr() = default;
  ComPtr(std::nullptr_t) {}
  // Takes a further reference to p.
  explicit ComPtr(T* p) : p_(p) {
    if (p_) p_->AddRef();
  }
  ComPtr(const ComPtr& other) : ComPtr(other.p_) {}
  ComPtr(ComPtr&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
  ComPtr& operator=(ComPtr other) noexcept {
    std::swap(p_, other.p_);
    return *this;
  }
  ~ComPtr() { reset(); }

  // Takes over a reference that the caller already holds (such as an out parameter's).
  static ComPtr adopt(T* p) {
    ComPtr result;
    result.p_ = p;
    return result;
  }
  void reset() {
    if (p_) std::exchange(p_, nullptr)->Release();
  }
  T* get() const { return p_; }
  T* operator->() const { return p_; }
  explicit operator bool() const { return p_ != nullptr; }
  // For out parameters: releases what is held and hands out the slot.
  T** put() {
    reset();
    return &p_;
  }
  template <class U>
  ComPtr<U> as() const {
    ComPtr<U> result;
    if (p_) p_->QueryInterface(__uuidof(U), reinterpret_cast<void**>(result.put()));
    return result;
  }

 private:
  T* p_ = nullptr;
};

// An owned BSTR.
class Bstr {
 public:
  Bstr() = default;
  explicit Bstr(const std::wstring& text)
      : b_(SysAllocStringLen(text.data(), static_cast<UINT>(text.size()))) {}
  explicit Bstr(const wchar_t* text) : b_(SysAllocString(text)) {}
  Bstr(const Bstr&) = delete;
  Bstr& operator=(const Bstr&) = delete;
  Bstr(Bstr&& other) noexcept : b_(std::exchange(other.b_, nullptr)) {}
  ~Bstr() { SysFreeString(b_); }
  static Bstr fromGbk(const Text& text);
  BSTR get() const { return b_; }
  BSTR* put() {
    SysFreeString(std::exchange(b_, nullptr));
    return &b_;
  }
  UINT length() const { return SysStringLen(b_); }
  // Hands the BSTR over to the caller.
  BSTR release() { return std::exchange(b_, nullptr); }
  Text toGbk() const;

 private:
  BSTR b_ = nullptr;
};

// An owned VARIANT.
class Variant {
 public:
  Variant() { VariantInit(&v_); }
  Variant(const Variant&) = delete;
  Variant& operator=(const Variant&) = delete;
  Variant(Variant&& other) noexcept : v_(other.v_) { VariantInit(&other.v_); }
  ~Variant() { VariantClear(&v_); }
  static Variant boolean(bool value);
  static Variant int32(std::int32_t value);
  // A VT_BSTR holding the text converted from GBK.
  static Variant text(const Text& value);
  VARIANT* get() { return &v_; }
  const VARIANT& value() const { return v_; }
  VARIANT* put() {
    VariantClear(&v_);
    return &v_;
  }
  // The value converted to text (VariantChangeType with no flags), converted to GBK; an empty
  // text when it cannot be converted.
  Text toGbk() const;
  // The value converted to a 32-bit integer; 0 when it cannot be converted.
  std::int32_t toInt32() const;
  // The object held (VT_DISPATCH, or VT_UNKNOWN answering IDispatch); empty otherwise.
  ComPtr<IDispatch> toDispatch() const;

 private:
  VARIANT v_;
};

// A late-bound object: Invoke by DISPID, each name looked up with GetIDsOfNames once and kept
// in the DispId given by the caller (objects of one kind share their DISPIDs, so one DispId
// may serve every object of that kind).
struct DispId {
  const wchar_t* name;
  DISPID id = DISPID_UNKNOWN;
  bool looked = false;
};

DISPID lookUp(IDispatch* object, DispId& name);
// Invoke with the arguments in their natural order (they are reversed for IDispatch).
HRESULT invoke(IDispatch* object, DispId& name, WORD flags, std::initializer_list<VARIANT> args,
               VARIANT* result);
HRESULT getProperty(IDispatch* object, DispId& name, VARIANT* result,
                    std::initializer_list<VARIANT> args = {});
HRESULT putProperty(IDispatch* object, DispId& name, const VARIANT& value);
HRESULT callMethod(IDispatch* object, DispId& name, std::initializer_list<VARIANT> args,
                   VARIANT* result);

// CoCreateInstance of the object that a ProgID names, asked for IDispatch; empty on failure.
ComPtr<IDispatch> createObject(const wchar_t* progId);

// A VARIANT view of a value without ownership (for arguments).
inline VARIANT byVal(BSTR text) {
  VARIANT v;
  VariantInit(&v);
  v.vt = VT_BSTR;
  v.bstrVal = text;
  return v;
}
inline VARIANT byVal(std::int32_t value) {
  VARIANT v;
  VariantInit(&v);
  v.vt = VT_I4;
  v.lVal = value;
  return v;
}
inline VARIANT byValBool(bool value) {
  VARIANT v;
  VariantInit(&v);
  v.vt = VT_BOOL;
  v.boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
  return v;
}

}  // namespace brindel::com
