// DescribeFile and MergeDescriptor.
#include "object_descriptor.h"

#include <cstring>

#include "wide_text.h"

namespace {

constexpr DWORD kKeptFields = DMUS_OBJ_OBJECT | DMUS_OBJ_CLASS | DMUS_OBJ_NAME | DMUS_OBJ_CATEGORY |
                              DMUS_OBJ_FILENAME | DMUS_OBJ_FULLPATH | DMUS_OBJ_VERSION |
                              DMUS_OBJ_DATE | DMUS_OBJ_LOADED;

}  // namespace

void DescribeFile(const ScriptFile& file, DMUS_OBJECTDESC& descriptor) {
    descriptor.dwValidData |= DMUS_OBJ_CLASS;
    descriptor.guidClass = CLSID_DirectMusicScript;
    if (file.hasGuid) {
        std::memcpy(&descriptor.guidObject, file.guid.bytes, sizeof descriptor.guidObject);
        descriptor.dwValidData |= DMUS_OBJ_OBJECT;
    }
    if (file.hasVersion) {
        descriptor.vVersion.dwVersionMS = file.version.ms;
        descriptor.vVersion.dwVersionLS = file.version.ls;
        descriptor.dwValidData |= DMUS_OBJ_VERSION;
    }
    if (!file.name.empty()) {
        CopyToWide(file.name, descriptor.wszName, DMUS_MAX_NAME);
        descriptor.dwValidData |= DMUS_OBJ_NAME;
    }
}

DWORD MergeDescriptor(const DMUS_OBJECTDESC& from, DMUS_OBJECTDESC& to) {
    DWORD valid = from.dwValidData;
    if (valid & DMUS_OBJ_OBJECT) {
        to.guidObject = from.guidObject;
    }
    if (valid & DMUS_OBJ_NAME) {
        std::memcpy(to.wszName, from.wszName, sizeof to.wszName);
        to.wszName[DMUS_MAX_NAME - 1] = 0;
    }
    if (valid & DMUS_OBJ_CATEGORY) {
        std::memcpy(to.wszCategory, from.wszCategory, sizeof to.wszCategory);
        to.wszCategory[DMUS_MAX_CATEGORY - 1] = 0;
    }
    if (valid & (DMUS_OBJ_FILENAME | DMUS_OBJ_FULLPATH)) {
        std::memcpy(to.wszFileName, from.wszFileName, sizeof to.wszFileName);
        to.wszFileName[DMUS_MAX_FILENAME - 1] = 0;
    }
    if (valid & DMUS_OBJ_VERSION) {
        to.vVersion = from.vVersion;
    }
    if (valid & DMUS_OBJ_DATE) {
        to.ftDate = from.ftDate;
    }
    // The class of a script is always the script class, whatever the caller says.
    to.dwValidData |= valid & kKeptFields & ~DMUS_OBJ_CLASS;
    return valid & ~kKeptFields;
}
