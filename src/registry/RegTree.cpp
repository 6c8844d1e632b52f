// Names, paths and data travel in UTF-16 between reading and writing: the
// ANSI registry functions would turn a name outside the code page into
// question marks, and the move would then write a value under another name
// and delete the original.
#include <windows.h>
#include <cstdlib>
#include <cstring>
#include "registry/RegTree.h"
#include "base/CLinkedList.h"

namespace {

// Key names have at most 255 characters, value names at most 16383.
const DWORD kKeyNameChars = 256;
const DWORD kValueNameChars = 16384;
const DWORD kInitialDataSize = 4096;

// One value read from the source tree.
struct RegValueRecord {
    WCHAR* subPath;     // relative to where reading started; NULL for that key itself
    WCHAR* valueName;   // empty for the unnamed default value
    DWORD type;
    DWORD size;
    BYTE* data;
};
typedef CLinkedList<RegValueRecord> RecordList;

WCHAR* CopyWide(const WCHAR* text, size_t length)
{
    WCHAR* copy = static_cast<WCHAR*>(malloc((length + 1) * sizeof(WCHAR)));
    if (copy != NULL) {
        memcpy(copy, text, length * sizeof(WCHAR));
        copy[length] = 0;
    }
    return copy;
}

// The wide form of a relative path without trailing backslashes; NULL for a
// NULL or empty path, which stands for the root.
bool WidePath(const char* path, WCHAR** wide)
{
    *wide = NULL;
    if (path == NULL)
        return true;
    size_t length = strlen(path);
    while (length > 0 && path[length - 1] == '\\')
        --length;
    if (length == 0)
        return true;
    const int chars = MultiByteToWideChar(CP_ACP, 0, path, static_cast<int>(length), NULL, 0);
    if (chars <= 0)
        return false;
    *wide = static_cast<WCHAR*>(malloc((chars + 1) * sizeof(WCHAR)));
    if (*wide == NULL)
        return false;
    MultiByteToWideChar(CP_ACP, 0, path, static_cast<int>(length), *wide, chars);
    (*wide)[chars] = 0;
    return true;
}

void ReleaseRecords(RecordList& records)
{
    for (RecordList::Node* node = records.GetNode(0); node != NULL; node = node->next) {
        free(node->data.subPath);
        free(node->data.valueName);
        free(node->data.data);
    }
    records.RemoveAll();
}

// Reads a tree depth-first into value records: each key's sub-trees before
// its own values. Any enumeration that ends other than by running out of
// entries fails the whole read, since what was not read would not be copied.
class TreeReader {
public:
    TreeReader(HKEY root, RecordList& records)
        : m_root(root), m_records(records), m_path(NULL), m_pathLength(0), m_pathCapacity(0),
          m_valueName(static_cast<WCHAR*>(malloc(kValueNameChars * sizeof(WCHAR)))),
          m_data(static_cast<BYTE*>(malloc(kInitialDataSize))), m_dataCapacity(kInitialDataSize)
    {
    }

    ~TreeReader()
    {
        free(m_path);
        free(m_valueName);
        free(m_data);
    }

    // Reads the key at path (NULL: the root itself) and everything below it.
    bool Read(const WCHAR* path)
    {
        if (m_valueName == NULL || m_data == NULL)
            return false;
        if (path != NULL && !Push(path, wcslen(path)))
            return false;
        return ReadKey();
    }

private:
    bool ReadKey()
    {
        HKEY key = m_root;
        if (m_pathLength > 0 && RegOpenKeyExW(m_root, m_path, 0, KEY_READ, &key) != ERROR_SUCCESS)
            return false;
        const bool ok = ReadSubKeys(key) && ReadValues(key);
        if (key != m_root)
            RegCloseKey(key);
        return ok;
    }

    bool ReadSubKeys(HKEY key)
    {
        for (DWORD index = 0;; ++index) {
            WCHAR name[kKeyNameChars];
            DWORD length = kKeyNameChars;
            const LONG status = RegEnumKeyExW(key, index, name, &length, NULL, NULL, NULL, NULL);
            if (status == ERROR_NO_MORE_ITEMS)
                return true;
            if (status != ERROR_SUCCESS)
                return false;
            const size_t mark = m_pathLength;
            const bool ok = Push(name, length) && ReadKey();
            Pop(mark);
            if (!ok)
                return false;
        }
    }

    bool ReadValues(HKEY key)
    {
        for (DWORD index = 0;;) {
            DWORD nameLength = kValueNameChars;
            DWORD type = 0;
            DWORD size = m_dataCapacity;
            const LONG status = RegEnumValueW(key, index, m_valueName, &nameLength, NULL, &type, m_data, &size);
            if (status == ERROR_NO_MORE_ITEMS)
                return true;
            if (status == ERROR_MORE_DATA) {
                // Read the same value again into a buffer of the size reported.
                if (size <= m_dataCapacity || !GrowData(size))
                    return false;
                continue;
            }
            if (status != ERROR_SUCCESS || !AddRecord(type, size, nameLength))
                return false;
            ++index;
        }
    }

    bool AddRecord(DWORD type, DWORD size, DWORD nameLength)
    {
        RegValueRecord record;
        record.subPath = m_pathLength > 0 ? CopyWide(m_path, m_pathLength) : NULL;
        record.valueName = CopyWide(m_valueName, nameLength);
        record.type = type;
        record.size = size;
        record.data = static_cast<BYTE*>(malloc(size > 0 ? size : 1));
        if ((m_pathLength > 0 && record.subPath == NULL) || record.valueName == NULL || record.data == NULL) {
            free(record.subPath);
            free(record.valueName);
            free(record.data);
            return false;
        }
        memcpy(record.data, m_data, size);
        m_records.Append(record);
        return true;
    }

    bool GrowData(DWORD size)
    {
        BYTE* data = static_cast<BYTE*>(malloc(size));
        if (data == NULL)
            return false;
        free(m_data);
        m_data = data;
        m_dataCapacity = size;
        return true;
    }

    // Appends a backslash (unless the path is empty) and a name.
    bool Push(const WCHAR* name, size_t length)
    {
        const size_t needed = m_pathLength + 1 + length + 1;
        if (needed > m_pathCapacity) {
            const size_t capacity = needed * 2;
            WCHAR* path = static_cast<WCHAR*>(realloc(m_path, capacity * sizeof(WCHAR)));
            if (path == NULL)
                return false;
            m_path = path;
            m_pathCapacity = capacity;
        }
        if (m_pathLength > 0)
            m_path[m_pathLength++] = L'\\';
        memcpy(m_path + m_pathLength, name, length * sizeof(WCHAR));
        m_pathLength += length;
        m_path[m_pathLength] = 0;
        return true;
    }

    void Pop(size_t length)
    {
        m_pathLength = length;
        if (m_path != NULL)
            m_path[length] = 0;
    }

    HKEY m_root;
    RecordList& m_records;
    WCHAR* m_path;
    size_t m_pathLength;
    size_t m_pathCapacity;
    WCHAR* m_valueName;
    BYTE* m_data;
    DWORD m_dataCapacity;
};

bool SamePath(const WCHAR* a, const WCHAR* b)
{
    if (a == NULL || b == NULL)
        return a == b;
    return wcscmp(a, b) == 0;
}

// Writes the records in their order. Records of one key follow each other,
// so each key is created once for its run of values.
bool WriteRecords(HKEY destination, RecordList& records)
{
    HKEY target = destination;
    const WCHAR* targetPath = NULL;
    bool ok = true;
    for (RecordList::Node* node = records.GetNode(0); node != NULL && ok; node = node->next) {
        const RegValueRecord& record = node->data;
        if (!SamePath(record.subPath, targetPath)) {
            if (target != destination)
                RegCloseKey(target);
            target = destination;
            targetPath = record.subPath;
            if (record.subPath != NULL &&
                RegCreateKeyExW(destination, record.subPath, 0, NULL, 0, KEY_SET_VALUE, NULL, &target, NULL) !=
                    ERROR_SUCCESS) {
                target = destination;
                ok = false;
                break;
            }
        }
        ok = RegSetValueExW(target, record.valueName, 0, record.type, record.data, record.size) == ERROR_SUCCESS;
    }
    if (target != destination)
        RegCloseKey(target);
    return ok;
}

// True when path (base and rest joined by a backslash) is key inner or lies
// below it. Key names compare without regard to case.
bool LiesWithin(const WCHAR* base, const WCHAR* rest, const WCHAR* inner)
{
    const size_t baseLength = base != NULL ? wcslen(base) : 0;
    const size_t restLength = rest != NULL ? wcslen(rest) : 0;
    const size_t innerLength = wcslen(inner);
    WCHAR* path = static_cast<WCHAR*>(malloc((baseLength + restLength + 2) * sizeof(WCHAR)));
    if (path == NULL)
        return true;   // cannot tell: the caller refuses
    size_t length = 0;
    if (baseLength > 0) {
        memcpy(path, base, baseLength * sizeof(WCHAR));
        length = baseLength;
    }
    if (restLength > 0) {
        if (length > 0)
            path[length++] = L'\\';
        memcpy(path + length, rest, restLength * sizeof(WCHAR));
        length += restLength;
    }
    path[length] = 0;
    const bool within = length >= innerLength &&
                        CompareStringOrdinal(path, static_cast<int>(innerLength), inner,
                                             static_cast<int>(innerLength), TRUE) == CSTR_EQUAL &&
                        (path[innerLength] == 0 || path[innerLength] == L'\\');
    free(path);
    return within;
}

// Whether writing the records below dstPath would put something into the
// source tree, which is deleted afterwards.
bool CopyLandsInSource(HKEY srcRoot, HKEY dstRoot, const WCHAR* srcPath, const WCHAR* dstPath, RecordList& records)
{
    if (srcPath == NULL || srcRoot != dstRoot)
        return false;
    if (dstPath != NULL && LiesWithin(dstPath, NULL, srcPath))
        return true;
    // Records of one key follow each other: one look per key.
    RecordList::Node* first = records.GetNode(0);
    for (RecordList::Node* node = first; node != NULL; node = node->next) {
        if (node != first && SamePath(node->data.subPath, node->prev->data.subPath))
            continue;
        if (LiesWithin(dstPath, node->data.subPath, srcPath))
            return true;
    }
    return false;
}

// Deletes the key at path below parent with everything in it. Values go
// with their key: deleting them one by one first would only double the
// registry calls, and a key that refuses deletion keeps its values. A key
// without sub-keys (most of a tree) goes at the first attempt; otherwise its
// sub-keys are erased first, always taken at index 0 as each one is gone
// before the next look. One that stays ends the erase with 0, not a retry.
int EraseTree(HKEY parent, const WCHAR* path)
{
    if (RegDeleteKeyW(parent, path) == ERROR_SUCCESS)
        return 1;
    HKEY key = NULL;
    if (RegOpenKeyExW(parent, path, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return 0;
    bool ok = true;
    for (;;) {
        WCHAR name[kKeyNameChars];
        DWORD length = kKeyNameChars;
        const LONG status = RegEnumKeyExW(key, 0, name, &length, NULL, NULL, NULL, NULL);
        if (status == ERROR_NO_MORE_ITEMS)
            break;
        if (status != ERROR_SUCCESS || !EraseTree(key, name)) {
            ok = false;
            break;
        }
    }
    RegCloseKey(key);
    return ok && RegDeleteKeyW(parent, path) == ERROR_SUCCESS ? 1 : 0;
}

int EraseTreeWide(HKEY root, const WCHAR* path)
{
    return path != NULL ? EraseTree(root, path) : 0;
}

// Reads the source, writes the copy, deletes the source; any failure before
// the deletion returns with the source untouched.
int MoveTree(HKEY srcRoot, HKEY dstRoot, const WCHAR* srcPath, const WCHAR* dstPath, bool contentsOnly,
             RecordList& records)
{
    HKEY source = srcRoot;
    if (contentsOnly && srcPath != NULL && RegOpenKeyExW(srcRoot, srcPath, 0, KEY_READ, &source) != ERROR_SUCCESS)
        return 0;
    bool ok;
    {
        TreeReader reader(source, records);
        ok = reader.Read(contentsOnly ? NULL : srcPath);
    }
    if (source != srcRoot)
        RegCloseKey(source);
    if (!ok || CopyLandsInSource(srcRoot, dstRoot, srcPath, dstPath, records))
        return 0;

    HKEY destination = dstRoot;
    if (dstPath != NULL &&
        RegCreateKeyExW(dstRoot, dstPath, 0, NULL, 0, KEY_WRITE, NULL, &destination, NULL) != ERROR_SUCCESS)
        return 0;
    ok = WriteRecords(destination, records);
    if (destination != dstRoot)
        RegCloseKey(destination);
    if (!ok)
        return 0;
    if (srcPath == NULL)
        return 1;
    return EraseTreeWide(srcRoot, srcPath);
}

}  // namespace

int RegMoveKey(HKEY srcRoot, HKEY dstRoot, const char* srcPath, const char* dstPath, bool contentsOnly)
{
    WCHAR* source = NULL;
    WCHAR* destination = NULL;
    int result = 0;
    if (WidePath(srcPath, &source) && WidePath(dstPath, &destination)) {
        RecordList records;
        result = MoveTree(srcRoot, dstRoot, source, destination, contentsOnly, records);
        ReleaseRecords(records);
    }
    free(source);
    free(destination);
    return result;
}

int RegEraseKey(HKEY root, const char* path)
{
    WCHAR* wide = NULL;
    const int result = WidePath(path, &wide) ? EraseTreeWide(root, wide) : 0;
    free(wide);
    return result;
}
