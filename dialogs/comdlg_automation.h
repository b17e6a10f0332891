#pragma once
// The dialog object as an in-process automation object: one dual interface, described by
// the type library embedded in the program (resource TYPELIB 1), whose members forward
// to a CComDlgEx of its own. Nothing is registered; callers get it from this factory.
#include <oaidl.h>

#include "platform/platform.h"

// A new object holding one reference for the caller; `platform` must outlive it. Fails
// (and leaves *object null) when oleaut32 or the embedded type library can't be had.
HRESULT CreateComDlgExObject(IPlatform& platform, IDispatch** object);
