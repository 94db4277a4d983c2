// ScriptObject's IDirectMusicObject and IPersistStream: the file, read from a stream, and its
// descriptor.
#include <dmerror.h>

#include <cstring>
#include <utility>
#include <vector>

#include "catch_out_of_memory.h"
#include "lock_holder.h"
#include "object_descriptor.h"
#include "script_object.h"
#include "stream_reading.h"

namespace {

bool ReadFromStream(IStream* stream, ScriptFile& file) {
    std::vector<uint8_t> bytes;
    return ReadRiffFromStream(stream, bytes) &&
           ReadScriptFile(bytes.data(), bytes.size(), file) == ScriptFileFault::None;
}

}  // namespace

// ---- IDirectMusicObject ----

STDMETHODIMP ScriptObject::GetDescriptor(LPDMUS_OBJECTDESC result) {
    if (result == nullptr) {
        return E_POINTER;
    }
    LockHolder hold(lock);
    DWORD size = result->dwSize;
    *result = descriptor;
    result->dwSize = size;
    return S_OK;
}

STDMETHODIMP ScriptObject::SetDescriptor(LPDMUS_OBJECTDESC given) {
    if (given == nullptr) {
        return E_POINTER;
    }
    LockHolder hold(lock);
    DWORD refused = MergeDescriptor(*given, descriptor);
    if (refused != 0) {
        // As DirectMusic's objects answer: the caller learns which fields were not taken.
        given->dwValidData &= ~refused;
        return S_FALSE;
    }
    return S_OK;
}

STDMETHODIMP ScriptObject::ParseDescriptor(LPSTREAM stream, LPDMUS_OBJECTDESC result) {
    if (stream == nullptr || result == nullptr) {
        return E_POINTER;
    }
    return CatchOutOfMemory([&]() -> HRESULT {
        ScriptFile parsed;
        if (!ReadFromStream(stream, parsed)) {
            return DMUS_E_SCRIPT_INVALID_FILE;
        }
        DWORD size = result->dwSize;
        std::memset(result, 0, sizeof *result);
        result->dwSize = size;
        DescribeFile(parsed, *result);
        return S_OK;
    });
}

// ---- IPersistStream ----

STDMETHODIMP ScriptObject::GetClassID(CLSID* classId) {
    if (classId == nullptr) {
        return E_POINTER;
    }
    *classId = CLSID_DirectMusicScript;
    return S_OK;
}

STDMETHODIMP ScriptObject::IsDirty() {
    return S_FALSE;
}

STDMETHODIMP ScriptObject::Load(IStream* stream) {
    if (stream == nullptr) {
        return E_POINTER;
    }
    return CatchOutOfMemory([&]() -> HRESULT {
        ScriptFile parsed;
        if (!ReadFromStream(stream, parsed)) {
            return DMUS_E_SCRIPT_INVALID_FILE;
        }
        // A script loaded anew must be initialised anew.
        Uninitialize();
        LockHolder hold(lock);
        file = std::move(parsed);
        loaded = true;
        DescribeFile(file, descriptor);
        descriptor.dwValidData |= DMUS_OBJ_LOADED;
        return S_OK;
    });
}

STDMETHODIMP ScriptObject::Save(IStream*, WINBOOL) {
    return E_NOTIMPL;
}

STDMETHODIMP ScriptObject::GetSizeMax(ULARGE_INTEGER*) {
    return E_NOTIMPL;
}
