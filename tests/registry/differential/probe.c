/* Numbered call sequences through the registry functions, printing one line of results per
 * case, so that a run against the system's own library (under Wine) and a run against ours can
 * be compared line by line. A line reads "NNN MARK TITLE: RESULTS", where MARK is
 *   -           for a case where all agree,
 *   wine:TOPIC  for a case where Wine is known to answer otherwise than Windows, and
 *   own:TOPIC   for a case where this project knowingly answers otherwise than Windows.
 * scripts/registry-differential explains each topic. expected.txt beside this file holds
 * Windows' answers, for Windows with UTF-8 as its ANSI code page (as this system has).
 *
 * Results never show handle values, only what a handle became: "null", "unchanged" (the value
 * it held before the call), "same" (the handle passed in) or "new". Data is shown in hex.
 *
 * The probe works only below HKCU\Software\EmberProbe, HKLM\Software\EmberProbe,
 * HKCC\EmberProbe and HKCR\EmberProbe.Class, as an administrator would, and removes them. */
#ifdef _WIN32
#define _WIN32_WINNT 0x0600
#include <windows.h>
#else
#include "platform/registry/winreg.h"
#endif

#include <stdarg.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#define PROBE_KEY "Software\\EmberProbe"
#define CLASS_KEY "EmberProbe.Class"
/* Never a handle: it marks a result the call must leave alone, and stands for a made-up one. */
#define MADE_UP ((HKEY)(ULONG_PTR)0x7FFF0000u)
#define HKEY_UNKNOWN_ROOT ((HKEY)(ULONG_PTR)((LONG)0x80000007))
#define HKCU_ZERO_EXTENDED ((HKEY)(ULONG_PTR)0x80000001u)
#define BUFFER_SIZE 64

static int case_number;
static char line[4096];
static size_t used;

static void begin(const char *mark, const char *title)
{
    ++case_number;
    used = (size_t)snprintf(line, sizeof line, "%03d %s %s:", case_number, mark, title);
}

static void put(const char *format, ...)
{
    va_list args;
    int written;
    if (used + 2 >= sizeof line)
        return;
    line[used++] = ' ';
    va_start(args, format);
    written = vsnprintf(line + used, sizeof line - used, format, args);
    va_end(args);
    if (written > 0)
        used += (size_t)written < sizeof line - used ? (size_t)written : sizeof line - used - 1;
}

static void finish(void)
{
    line[used] = '\0';
    printf("%s\n", line);
    fflush(stdout);
}

static void put_status(const char *label, LONG status) { put("%s=%ld", label, (long)status); }

static void put_bytes(const char *label, const BYTE *bytes, DWORD count)
{
    char hex[2 * BUFFER_SIZE + 1];
    DWORD i;
    if (count > BUFFER_SIZE)
        count = BUFFER_SIZE;
    for (i = 0; i < count; ++i)
        snprintf(hex + 2 * i, 3, "%02x", bytes[i]);
    hex[2 * count] = '\0';
    put("%s=%s", label, count == 0 ? "(none)" : hex);
}

static const char *handle_state(HKEY handle, HKEY given)
{
    if (handle == NULL)
        return "null";
    if (handle == MADE_UP)
        return "unchanged";
    return handle == given ? "same" : "new";
}

/* Stops the probe when the scaffolding of a case fails: what follows would mean nothing. */
static void require(LONG status, const char *what)
{
    if (status != ERROR_SUCCESS) {
        printf("%03d - setup failed: %s gave %ld\n", case_number, what, (long)status);
        exit(1);
    }
}

/* A fresh key of this case's own below the probe key, opened with every right. */
static HKEY fresh_key(void)
{
    char path[64];
    HKEY key = NULL;
    snprintf(path, sizeof path, PROBE_KEY "\\C%03d", case_number);
    require(RegCreateKeyA(HKEY_CURRENT_USER, path, &key), path);
    return key;
}

static HKEY create(HKEY parent, const char *path)
{
    HKEY key = NULL;
    require(RegCreateKeyA(parent, path, &key), path);
    return key;
}

static HKEY open_with(HKEY parent, const char *path, REGSAM access)
{
    HKEY key = NULL;
    require(RegOpenKeyExA(parent, path, 0, access, &key), path);
    return key;
}

static LONG set_bytes(HKEY key, const char *name, DWORD type, const char *data, DWORD size)
{
    return RegSetValueExA(key, name, 0, type, (const BYTE *)data, size);
}

static LONG set_text(HKEY key, const char *name, const char *text)
{
    return set_bytes(key, name, REG_SZ, text, (DWORD)strlen(text) + 1);
}

/* Shows whether the key at `path` below `root` can be opened, under `label`. */
static void put_found(const char *label, HKEY root, const char *path)
{
    HKEY key = NULL;
    const LONG status = RegOpenKeyExA(root, path, 0, KEY_READ, &key);
    put("%s=%s", label, status == ERROR_SUCCESS ? "present" : "absent");
    if (status == ERROR_SUCCESS)
        RegCloseKey(key);
}

static void put_exists(HKEY root, const char *path) { put_found(path, root, path); }

/* Queries into a buffer of 'x' of which `room` bytes are offered; shows one byte more than
 * that, to reveal a terminator written after the data. */
static void put_query(HKEY key, const char *name, DWORD room)
{
    BYTE buffer[BUFFER_SIZE];
    DWORD type = 0xEEEE;
    DWORD size = room;
    LONG status;
    memset(buffer, 'x', sizeof buffer);
    status = RegQueryValueExA(key, name, NULL, &type, buffer, &size);
    put_status("rc", status);
    if (status == ERROR_SUCCESS || status == ERROR_MORE_DATA)
        put("type=%lu", (unsigned long)type);
    put("size=%lu", (unsigned long)size);
    put_bytes("data", buffer, room + 1);
}

/* Queries with one variable for both the type and the size, as some callers do. */
static void put_query_one_variable(HKEY key, const char *name, DWORD room)
{
    BYTE buffer[BUFFER_SIZE];
    DWORD both = room;
    memset(buffer, 'x', sizeof buffer);
    put_status("rc", RegQueryValueExA(key, name, NULL, &both, buffer, &both));
    put("both=%lu", (unsigned long)both);
    put_bytes("data", buffer, 5);
}

/* The stored type and size of a value, asked without a buffer. */
static void put_stored(HKEY key, const char *name)
{
    DWORD type = 0xEEEE;
    DWORD size = 0xEEEE;
    const LONG status = RegQueryValueExA(key, name, NULL, &type, NULL, &size);
    put_status("rc", status);
    if (status == ERROR_SUCCESS)
        put("type=%lu size=%lu", (unsigned long)type, (unsigned long)size);
}

static void put_subkeys(HKEY key)
{
    char name[300];
    DWORD index;
    LONG status;
    char list[1024] = "";
    for (index = 0; (status = RegEnumKeyA(key, index, name, sizeof name)) == ERROR_SUCCESS;
         ++index) {
        if (strlen(list) + strlen(name) + 2 < sizeof list) {
            strcat(list, index == 0 ? "" : ",");
            strcat(list, name);
        }
    }
    put("subkeys=%lu[%s] end=%ld", (unsigned long)index, list, (long)status);
}

static void put_values(HKEY key)
{
    char name[300];
    DWORD index;
    DWORD length;
    LONG status;
    char list[1024] = "";
    for (index = 0; length = sizeof name,
        (status = RegEnumValueA(key, index, name, &length, NULL, NULL, NULL, NULL)) ==
                        ERROR_SUCCESS;
         ++index) {
        if (strlen(list) + strlen(name) + 2 < sizeof list) {
            strcat(list, index == 0 ? "" : ",");
            strcat(list, name);
        }
    }
    put("values=%lu[%s] end=%ld", (unsigned long)index, list, (long)status);
}

/* Runs the calls that take a key handle on `key` and shows their statuses. */
static void put_every_call(HKEY key)
{
    char name[16];
    DWORD length = sizeof name;
    DWORD size = 0;
    HKEY result = MADE_UP;
    put_status("create", RegCreateKeyA(key, "x", &result));
    put("created=%s", handle_state(result, key));
    if (result != MADE_UP && result != NULL)
        RegCloseKey(result);
    result = MADE_UP;
    put_status("open", RegOpenKeyExA(key, "", 0, KEY_READ, &result));
    put("opened=%s", handle_state(result, key));
    if (result != MADE_UP && result != NULL)
        RegCloseKey(result);
    put_status("query", RegQueryValueExA(key, "v", NULL, NULL, NULL, &size));
    put_status("set", set_text(key, "v", "x"));
    put_status("delvalue", RegDeleteValueA(key, "v"));
    put_status("delkey", RegDeleteKeyA(key, "x"));
    put_status("enumkey", RegEnumKeyA(key, 0, name, sizeof name));
    put_status("enumvalue", RegEnumValueA(key, 0, name, &length, NULL, NULL, NULL, NULL));
}

/* What a handle opened with `access` may do: query, set, delete a value, list subkeys and
 * values. */
static void put_rights(HKEY parent, REGSAM access)
{
    HKEY key = MADE_UP;
    char name[16];
    DWORD length = sizeof name;
    DWORD size = 0;
    const LONG status = RegOpenKeyExA(parent, "", 0, access, &key);
    put_status("open", status);
    if (status != ERROR_SUCCESS)
        return;
    put_status("query", RegQueryValueExA(key, "v", NULL, NULL, NULL, &size));
    put_status("set", set_text(key, "w", "x"));
    put_status("delvalue", RegDeleteValueA(key, "w"));
    put_status("enumkey", RegEnumKeyA(key, 0, name, sizeof name));
    put_status("enumvalue", RegEnumValueA(key, 0, name, &length, NULL, NULL, NULL, NULL));
    RegCloseKey(key);
}

/* Enumerates value `index` with a name buffer of `name_room` and a data buffer of
 * `data_room`, both filled with 'x', and shows what changed. */
static void put_enum_value(HKEY key, DWORD index, DWORD name_room, DWORD data_room)
{
    char name[BUFFER_SIZE];
    BYTE data[BUFFER_SIZE];
    DWORD name_length = name_room;
    DWORD size = data_room;
    DWORD type = 0xEEEE;
    LONG status;
    memset(name, 'x', sizeof name);
    memset(data, 'x', sizeof data);
    status = RegEnumValueA(key, index, name, &name_length, NULL, &type, data, &size);
    put_status("rc", status);
    if (status == ERROR_SUCCESS || status == ERROR_MORE_DATA)
        put("type=%lu", (unsigned long)type);
    put("length=%lu size=%lu", (unsigned long)name_length, (unsigned long)size);
    put_bytes("name", (const BYTE *)name, name_room + 1);
    put_bytes("data", data, data_room + 1);
}

static HKEY closed_handle(void)
{
    HKEY key = fresh_key();
    RegCloseKey(key);
    return key;
}

static void invalid_handles(void)
{
    HKEY bad[4];
    const char *names[4] = {"null", "unknown root 0x80000007", "made-up", "closed"};
    int i;
    bad[0] = NULL;
    bad[1] = HKEY_UNKNOWN_ROOT;
    bad[2] = MADE_UP;
    for (i = 0; i < 4; ++i) {
        char title[80];
        snprintf(title, sizeof title, "every call on a %s handle", names[i]);
        begin("-", title);
        if (i == 3)
            bad[3] = closed_handle();
        put_every_call(bad[i]);
        finish();
    }

    begin("-", "bad parameters and a bad handle together");
    {
        char name[8];
        DWORD length = sizeof name;
        BYTE data[8];
        HKEY result = MADE_UP;
        put_status("query", RegQueryValueExA(MADE_UP, "v", NULL, NULL, data, NULL));
        put_status("enumvalue", RegEnumValueA(MADE_UP, 0, name, NULL, NULL, NULL, NULL, NULL));
        put_status("enumvalue-data",
                   RegEnumValueA(MADE_UP, 0, name, &length, NULL, NULL, data, NULL));
        put_status("set", RegSetValueExA(MADE_UP, "v", 0, REG_BINARY, NULL, 4));
        put_status("delkey", RegDeleteKeyA(MADE_UP, NULL));
        put_status("delkey-null", RegDeleteKeyA(NULL, NULL));
        put_status("create-backslash", RegCreateKeyA(MADE_UP, "\\x", &result));
        put("key=%s", handle_state(result, MADE_UP));
    }
    finish();

    begin("-", "close a null, made-up or closed handle");
    put_status("null", RegCloseKey(NULL));
    put_status("made-up", RegCloseKey(MADE_UP));
    put_status("closed", RegCloseKey(closed_handle()));
    finish();

    begin("-", "close predefined handles, known or not");
    put_status("hklm", RegCloseKey(HKEY_LOCAL_MACHINE));
    put_status("hkcc", RegCloseKey(HKEY_CURRENT_CONFIG));
    put_status("unknown", RegCloseKey(HKEY_UNKNOWN_ROOT));
    put_status("zero-extended", RegCloseKey(HKCU_ZERO_EXTENDED));
    finish();

    begin("-", "close predefined values with bits above the low 32");
    if (sizeof(HKEY) > 4) {
        put_status("hkcu", RegCloseKey((HKEY)(((ULONG_PTR)1u << 16 << 16) | 0x80000001u)));
        put_status("unknown", RegCloseKey((HKEY)(((ULONG_PTR)1u << 16 << 16) | 0x80000009u)));
    }
    finish();

    begin("-", "a thousand handles opened and closed");
    {
        static HKEY many[1000];
        HKEY key = fresh_key();
        int i;
        int opened = 0;
        int closed = 0;
        int distinct = 1;
        for (i = 0; i < 1000; ++i)
            opened += RegOpenKeyExA(key, "", 0, KEY_READ, &many[i]) == ERROR_SUCCESS;
        for (i = 1; i < 1000; ++i)
            distinct &= many[i] != many[i - 1];
        for (i = 0; i < 1000; ++i)
            closed += RegCloseKey(many[i]) == ERROR_SUCCESS;
        put("opened=%d distinct=%d closed=%d", opened, distinct, closed);
        put_status("parent-set", set_text(key, "v", "x"));
        RegCloseKey(key);
    }
    finish();

    begin("-", "close a handle twice");
    {
        HKEY key = fresh_key();
        put_status("first", RegCloseKey(key));
        put_status("second", RegCloseKey(key));
    }
    finish();
}

static void predefined_roots(void)
{
    HKEY roots[5];
    const char *names[5] = {"hkcr", "hkcu", "hklm", "hku", "hkcc"};
    int i;
    roots[0] = HKEY_CLASSES_ROOT;
    roots[1] = HKEY_CURRENT_USER;
    roots[2] = HKEY_LOCAL_MACHINE;
    roots[3] = HKEY_USERS;
    roots[4] = HKEY_CURRENT_CONFIG;
    for (i = 0; i < 5; ++i) {
        char title[80];
        HKEY key = MADE_UP;
        snprintf(title, sizeof title, "open %s with null and empty paths, create with empty",
                 names[i]);
        begin("-", title);
        put_status("open-empty", RegOpenKeyExA(roots[i], "", 0, KEY_READ, &key));
        put("key=%s", handle_state(key, roots[i]));
        key = MADE_UP;
        put_status("open-null", RegOpenKeyExA(roots[i], NULL, 0, KEY_READ, &key));
        put("key=%s", handle_state(key, roots[i]));
        key = MADE_UP;
        put_status("create-empty", RegCreateKeyA(roots[i], "", &key));
        put("key=%s", handle_state(key, roots[i]));
        finish();
    }

    begin("wine:create-root", "create on a root with a null path gives the root itself");
    for (i = 0; i < 5; ++i) {
        HKEY key = MADE_UP;
        put_status(names[i], RegCreateKeyA(roots[i], NULL, &key));
        put("key=%s", handle_state(key, roots[i]));
    }
    finish();

    begin("-", "a missing key below each root");
    for (i = 0; i < 5; ++i) {
        HKEY key = MADE_UP;
        put_status(names[i], RegOpenKeyExA(roots[i], "EmberProbeNowhere\\x", 0, KEY_READ, &key));
        put("key=%s", handle_state(key, roots[i]));
    }
    finish();

    begin("-", "a handle made by create with an empty path on a root");
    {
        HKEY key = MADE_UP;
        put_status("create", RegCreateKeyA(HKEY_CURRENT_USER, "", &key));
        put_status("set", set_text(key, "EmberProbeViaNew", "x"));
        put_stored(HKEY_CURRENT_USER, "EmberProbeViaNew");
        put_status("delete", RegDeleteValueA(key, "EmberProbeViaNew"));
        put_status("open-below", RegOpenKeyExA(key, PROBE_KEY, 0, KEY_READ, &key));
        put_status("close", RegCloseKey(key));
    }
    finish();

    begin("-", "keys below the current configuration root enumerate");
    {
        HKEY key = create(HKEY_CURRENT_CONFIG, "EmberProbe");
        RegCloseKey(create(key, "b"));
        RegCloseKey(create(key, "a"));
        put_subkeys(key);
        put_status("tree", RegDeleteTreeA(HKEY_CURRENT_CONFIG, "EmberProbe"));
        RegCloseKey(key);
    }
    finish();

    begin("-", "a root without sign extension is the root");
    {
        HKEY key = MADE_UP;
        RegCloseKey(create(HKEY_CURRENT_USER, PROBE_KEY "\\Wide"));
        put_status("open",
                   RegOpenKeyExA(HKCU_ZERO_EXTENDED, PROBE_KEY "\\Wide", 0, KEY_READ, &key));
        put("key=%s", handle_state(key, HKCU_ZERO_EXTENDED));
        RegCloseKey(key);
        key = MADE_UP;
        put_status("open-empty", RegOpenKeyExA(HKCU_ZERO_EXTENDED, "", 0, KEY_READ, &key));
        put("key=%s", handle_state(key, HKCU_ZERO_EXTENDED));
    }
    finish();

    begin("-", "only the low 32 bits of a root count");
    if (sizeof(HKEY) > 4) {
        const HKEY high = (HKEY)(((ULONG_PTR)0x12345678u << 16 << 16) | 0x80000001u);
        HKEY key = MADE_UP;
        put_status("create", RegCreateKeyA(high, PROBE_KEY "\\High", &key));
        put("key=%s", handle_state(key, high));
        RegCloseKey(key);
        put_exists(HKEY_CURRENT_USER, PROBE_KEY "\\High");
        key = MADE_UP;
        put_status("open-empty", RegOpenKeyExA(high, "", 0, KEY_READ, &key));
        put("key=%s", handle_state(key, high));
        put_status("set", set_text(high, "EmberProbeHigh", "x"));
        put_status("delvalue", RegDeleteValueA(HKEY_CURRENT_USER, "EmberProbeHigh"));
        put_status("close", RegCloseKey(high));
    }
    finish();

    begin("-", "the current configuration root holds keys and values");
    {
        HKEY key = MADE_UP;
        put_status("create", RegCreateKeyA(HKEY_CURRENT_CONFIG, "EmberProbe\\Inner", &key));
        put_status("set", set_text(key, "v", "config"));
        RegCloseKey(key);
        key = open_with(HKEY_CURRENT_CONFIG, "EmberProbe\\Inner", KEY_READ);
        put_query(key, "v", 8);
        RegCloseKey(key);
        put_exists(HKEY_CURRENT_USER, "EmberProbe\\Inner");
        put_exists(HKEY_LOCAL_MACHINE, "EmberProbe\\Inner");
        put_status("delete", RegDeleteKeyA(HKEY_CURRENT_CONFIG, "EmberProbe\\Inner"));
        put_status("delete", RegDeleteKeyA(HKEY_CURRENT_CONFIG, "EmberProbe"));
    }
    finish();

    begin("-", "the roots are separate trees");
    RegCloseKey(create(HKEY_LOCAL_MACHINE, PROBE_KEY "\\OnlyMachine"));
    put_exists(HKEY_LOCAL_MACHINE, PROBE_KEY "\\OnlyMachine");
    put_exists(HKEY_CURRENT_USER, PROBE_KEY "\\OnlyMachine");
    put_exists(HKEY_CURRENT_CONFIG, PROBE_KEY "\\OnlyMachine");
    finish();

    begin("-", "the classes root keeps keys and opens past one leading backslash");
    RegCloseKey(create(HKEY_CLASSES_ROOT, CLASS_KEY));
    put_exists(HKEY_CLASSES_ROOT, CLASS_KEY);
    put_exists(HKEY_CLASSES_ROOT, "\\" CLASS_KEY);
    put_exists(HKEY_CLASSES_ROOT, "\\\\" CLASS_KEY);
    {
        HKEY key = MADE_UP;
        put_status("create-backslash", RegCreateKeyA(HKEY_CLASSES_ROOT, "\\" CLASS_KEY, &key));
        put("key=%s", handle_state(key, HKEY_CLASSES_ROOT));
    }
    finish();

    begin("own:hkcr-tree", "the classes root is a view of the machine's classes");
    put_exists(HKEY_LOCAL_MACHINE, "Software\\Classes\\" CLASS_KEY);
    finish();

    begin("-", "deleting below the classes root takes no leading backslash");
    put_status("delete", RegDeleteKeyA(HKEY_CLASSES_ROOT, "\\" CLASS_KEY));
    put_exists(HKEY_CLASSES_ROOT, CLASS_KEY);
    finish();

    begin("-", "deleting from the classes root");
    put_status("delete", RegDeleteKeyA(HKEY_CLASSES_ROOT, CLASS_KEY));
    put_exists(HKEY_CLASSES_ROOT, CLASS_KEY);
    finish();

    begin("-", "a root cannot be deleted through an empty path");
    put_status("hkcu", RegDeleteKeyA(HKEY_CURRENT_USER, ""));
    put_status("hklm", RegDeleteKeyA(HKEY_LOCAL_MACHINE, ""));
    finish();
}

static void paths(void)
{
    HKEY key;
    HKEY result;

    begin("-", "create makes every missing key along a path");
    key = fresh_key();
    put_status("create", RegCreateKeyA(key, "a\\b\\c", &result));
    RegCloseKey(result);
    put_exists(key, "a");
    put_exists(key, "a\\b");
    put_exists(key, "a\\b\\c");
    RegCloseKey(key);
    finish();

    begin("-", "trailing backslashes are accepted");
    key = fresh_key();
    RegCloseKey(create(key, "t\\"));
    put_exists(key, "t");
    put_exists(key, "t\\");
    put_exists(key, "t\\\\");
    put_subkeys(key);
    RegCloseKey(key);
    finish();

    begin("-", "doubled backslashes inside a path");
    key = fresh_key();
    RegCloseKey(create(key, "d\\e"));
    put_exists(key, "d\\\\e");
    result = MADE_UP;
    put_status("create", RegCreateKeyA(key, "f\\\\g", &result));
    if (result != MADE_UP && result != NULL)
        RegCloseKey(result);
    put_subkeys(key);
    RegCloseKey(key);
    finish();

    begin("-", "a leading backslash is a bad path");
    key = fresh_key();
    result = MADE_UP;
    put_status("create", RegCreateKeyA(key, "\\lead", &result));
    put("key=%s", handle_state(result, key));
    result = MADE_UP;
    put_status("open", RegOpenKeyExA(key, "\\lead", 0, KEY_READ, &result));
    put("key=%s", handle_state(result, key));
    result = MADE_UP;
    put_status("open-root", RegOpenKeyExA(HKEY_CURRENT_USER, "\\Software", 0, KEY_READ, &result));
    put("key=%s", handle_state(result, HKEY_CURRENT_USER));
    put_status("delete", RegDeleteKeyA(key, "\\lead"));
    put_subkeys(key);
    RegCloseKey(key);
    finish();

    begin("-", "a slash is part of a name");
    key = fresh_key();
    RegCloseKey(create(key, "a/b"));
    put_exists(key, "a/b");
    put_exists(key, "a");
    put_subkeys(key);
    RegCloseKey(key);
    finish();

    begin("-", "opening a missing key creates nothing");
    key = fresh_key();
    result = MADE_UP;
    put_status("open", RegOpenKeyExA(key, "m\\n\\o", 0, KEY_READ, &result));
    put("key=%s", handle_state(result, key));
    result = MADE_UP;
    put_status("open-leaf", RegOpenKeyExA(key, "m", 0, KEY_READ, &result));
    put("key=%s", handle_state(result, key));
    put_subkeys(key);
    RegCloseKey(key);
    finish();

    begin("-", "a missing middle component");
    key = fresh_key();
    RegCloseKey(create(key, "top\\bottom"));
    put_exists(key, "top\\middle\\bottom");
    put_exists(key, "top\\bottom");
    RegCloseKey(key);
    finish();

    begin("-", "names match without regard to case and keep their first spelling");
    key = fresh_key();
    RegCloseKey(create(key, "MiXed\\Inner"));
    RegCloseKey(create(key, "MIXED\\inner\\Deep"));
    put_exists(key, "mixed\\INNER\\deep");
    put_subkeys(key);
    result = open_with(key, "mixed", KEY_READ);
    put_subkeys(result);
    RegCloseKey(result);
    RegCloseKey(key);
    finish();

    begin("-", "spaces, dots and punctuation in names");
    key = fresh_key();
    RegCloseKey(create(key, " lead and trail "));
    RegCloseKey(create(key, "..\\."));
    RegCloseKey(create(key, "{12345678-ABCD}"));
    put_exists(key, " lead and trail ");
    put_exists(key, "lead and trail");
    put_exists(key, "..\\.");
    put_subkeys(key);
    RegCloseKey(key);
    finish();

    begin("-", "a path of thirty levels");
    key = fresh_key();
    {
        char path[128] = "";
        int level;
        for (level = 0; level < 30; ++level)
            strcat(path, level == 0 ? "L" : "\\L");
        put_status("create", RegCreateKeyA(key, path, &result));
        RegCloseKey(result);
        put_found("deepest", key, path);
        path[strlen(path) - 2] = '\0';
        put_found("next-deepest", key, path);
        put_status("delete-top", RegDeleteKeyA(key, "L"));
    }
    RegCloseKey(key);
    finish();

    begin("-", "an existing middle key keeps its spelling");
    key = fresh_key();
    RegCloseKey(create(key, "Keep\\x"));
    RegCloseKey(create(key, "KEEP\\y"));
    put_subkeys(key);
    result = open_with(key, "keep", KEY_READ);
    put_subkeys(result);
    RegCloseKey(result);
    RegCloseKey(key);
    finish();

    begin("-", "names of blanks, wildcards, tabs and percent signs");
    key = fresh_key();
    RegCloseKey(create(key, " "));
    RegCloseKey(create(key, "*?"));
    RegCloseKey(create(key, "tab\there"));
    RegCloseKey(create(key, "%TEMP%"));
    put_exists(key, " ");
    put_exists(key, "*");
    put_exists(key, "*?");
    put_exists(key, "%temp%");
    put_subkeys(key);
    RegCloseKey(key);
    finish();

    begin("-", "a key made again after deletion takes the new spelling");
    key = fresh_key();
    RegCloseKey(create(key, "first"));
    put_status("delete", RegDeleteKeyA(key, "FIRST"));
    RegCloseKey(create(key, "FiRsT"));
    put_subkeys(key);
    RegCloseKey(key);
    finish();

    begin("-", "names with bytes above 127 come back as they went in");
    key = fresh_key();
    RegCloseKey(create(key, "Caf\xc3\xa9"));
    put_subkeys(key);
    put_exists(key, "Caf\xc3\xa9");
    RegCloseKey(key);
    finish();

    begin("-", "names with control characters");
    key = fresh_key();
    RegCloseKey(create(key, "\x01one"));
    RegCloseKey(create(key, "del\x7f"));
    put_found("one", key, "\x01one");
    put_found("del", key, "DEL\x7f");
    {
        char name[16];
        put_status("first", RegEnumKeyA(key, 0, name, sizeof name));
        put_bytes("name", (const BYTE *)name, 5);
    }
    RegCloseKey(key);
    finish();

    begin("wine:codepage", "letters beyond ASCII in UTF-8 fold");
    key = fresh_key();
    RegCloseKey(create(key, "Caf\xc3\xa9"));
    put_exists(key, "CAF\xc3\x89");
    RegCloseKey(key);
    finish();
}

static void name_limits(void)
{
    char name[300];
    char value[16386];
    HKEY key;
    HKEY result;

    begin("-", "a key name of 255 characters");
    key = fresh_key();
    memset(name, 'k', 255);
    name[255] = '\0';
    result = MADE_UP;
    put_status("create", RegCreateKeyA(key, name, &result));
    if (result != MADE_UP && result != NULL)
        RegCloseKey(result);
    put_status("open", RegOpenKeyExA(key, name, 0, KEY_READ, &result));
    if (result != MADE_UP && result != NULL)
        RegCloseKey(result);
    {
        char listed[300];
        put_status("enum-256", RegEnumKeyA(key, 0, listed, 256));
        put_status("enum-255", RegEnumKeyA(key, 0, listed, 255));
        put("length=%lu", (unsigned long)strlen(listed));
    }
    put_status("delete", RegDeleteKeyA(key, name));
    RegCloseKey(key);
    finish();

    begin("wine:long-names", "a key name of 256 characters");
    key = fresh_key();
    memset(name, 'k', 256);
    name[256] = '\0';
    result = MADE_UP;
    put_status("create", RegCreateKeyA(key, name, &result));
    put("key=%s", handle_state(result, key));
    if (result != MADE_UP && result != NULL)
        RegCloseKey(result);
    result = MADE_UP;
    put_status("open", RegOpenKeyExA(key, name, 0, KEY_READ, &result));
    put("key=%s", handle_state(result, key));
    if (result != MADE_UP && result != NULL)
        RegCloseKey(result);
    put_subkeys(key);
    RegCloseKey(key);
    finish();

    begin("wine:long-names", "a path longer than 260 characters");
    key = fresh_key();
    memset(name, 'p', 255);
    strcpy(name + 255, "\\short");
    put_status("create", RegCreateKeyA(key, name, &result));
    if (result != NULL)
        RegCloseKey(result);
    put_found("path", key, name);
    RegCloseKey(key);
    finish();

    begin("-", "a value name of 16383 characters, and one more");
    key = fresh_key();
    memset(value, 'v', 16383);
    value[16383] = '\0';
    put_status("set-16383", set_text(key, value, "x"));
    put_stored(key, value);
    put_status("delete-16383", RegDeleteValueA(key, value));
    value[16383] = 'v';
    value[16384] = '\0';
    put_status("set-16384", set_text(key, value, "x"));
    put_values(key);
    RegCloseKey(key);
    finish();
}

static void creating(void)
{
    HKEY key;
    HKEY result;
    HKEY other;

    begin("-", "create on an existing key opens it");
    key = fresh_key();
    result = create(key, "same");
    require(set_text(result, "v", "first"), "set");
    other = MADE_UP;
    put_status("create-again", RegCreateKeyA(key, "SAME", &other));
    put("key=%s", other == result ? "equal" : handle_state(other, key));
    put_query(other, "v", 8);
    put_subkeys(key);
    RegCloseKey(result);
    RegCloseKey(other);
    RegCloseKey(key);
    finish();

    begin("-", "create with an empty or null path below an ordinary key");
    key = fresh_key();
    require(set_text(key, "v", "here"), "set");
    result = MADE_UP;
    put_status("empty", RegCreateKeyA(key, "", &result));
    put("key=%s", handle_state(result, key));
    put_query(result, "v", 8);
    RegCloseKey(result);
    result = MADE_UP;
    put_status("null", RegCreateKeyA(key, NULL, &result));
    put("key=%s", handle_state(result, key));
    put_query(result, "v", 8);
    RegCloseKey(result);
    put_subkeys(key);
    RegCloseKey(key);
    finish();

    begin("-", "create ignores the rights of the parent handle");
    key = fresh_key();
    RegCloseKey(key);
    key = open_with(HKEY_CURRENT_USER, PROBE_KEY, KEY_QUERY_VALUE);
    result = MADE_UP;
    put_status("create", RegCreateKeyA(key, "child", &result));
    put("key=%s", handle_state(result, key));
    put_status("set-in-child", set_text(result, "v", "x"));
    put_status("delete", RegDeleteKeyA(key, "child"));
    RegCloseKey(result);
    RegCloseKey(key);
    finish();

    begin("-", "a created handle holds every right");
    key = fresh_key();
    require(set_text(key, "v", "x"), "set");
    RegCloseKey(create(key, "sub"));
    put_rights(key, KEY_ALL_ACCESS);
    RegCloseKey(key);
    finish();

    begin("-", "create below a handle opened with no rights");
    key = fresh_key();
    other = open_with(key, "", 0);
    result = MADE_UP;
    put_status("create", RegCreateKeyA(other, "child", &result));
    put("key=%s", handle_state(result, other));
    put_rights(result, KEY_ALL_ACCESS);
    RegCloseKey(result);
    RegCloseKey(other);
    RegCloseKey(key);
    finish();

    begin("-", "a handle stays usable after its parent's handle is closed");
    key = fresh_key();
    other = create(key, "parent");
    result = create(other, "child");
    put_status("close-parent", RegCloseKey(other));
    put_status("set", set_text(result, "v", "x"));
    put_query(result, "v", 4);
    RegCloseKey(result);
    RegCloseKey(key);
    finish();

    begin("-", "create below a key that was deleted");
    key = fresh_key();
    other = create(key, "doomed");
    put_status("delete", RegDeleteKeyA(key, "doomed"));
    result = MADE_UP;
    put_status("create", RegCreateKeyA(other, "child", &result));
    put("key=%s", handle_state(result, other));
    result = MADE_UP;
    put_status("create-empty", RegCreateKeyA(other, "", &result));
    put("key=%s", handle_state(result, other));
    RegCloseKey(other);
    put_subkeys(key);
    RegCloseKey(key);
    finish();
}

static void opening(void)
{
    HKEY key;
    HKEY first;
    HKEY second;

    begin("-", "opening one key twice gives two handles");
    key = fresh_key();
    RegCloseKey(create(key, "twice"));
    first = open_with(key, "twice", KEY_READ);
    second = open_with(key, "TWICE", KEY_READ);
    put("distinct=%s", first != second ? "yes" : "no");
    put_status("close-first", RegCloseKey(first));
    put_exists(second, "");
    put_status("close-second", RegCloseKey(second));
    RegCloseKey(key);
    finish();

    begin("-", "open with an empty or null path below an ordinary key");
    key = fresh_key();
    first = MADE_UP;
    put_status("empty", RegOpenKeyExA(key, "", 0, KEY_READ, &first));
    put("key=%s", handle_state(first, key));
    second = MADE_UP;
    put_status("null", RegOpenKeyExA(key, NULL, 0, KEY_READ, &second));
    put("key=%s", handle_state(second, key));
    put("distinct=%s", first != second ? "yes" : "no");
    RegCloseKey(first);
    RegCloseKey(second);
    put_status("parent-still-open", set_text(key, "v", "x"));
    RegCloseKey(key);
    finish();

    begin("-", "rights are not inherited from the handle a key is opened through");
    key = fresh_key();
    RegCloseKey(create(key, "child"));
    first = open_with(key, "", KEY_READ);
    second = open_with(first, "child", KEY_ALL_ACCESS);
    put_status("set-through-child", set_text(second, "v", "x"));
    RegCloseKey(second);
    second = open_with(first, "", KEY_SET_VALUE);
    put_status("set-through-reopened", set_text(second, "v", "x"));
    put_status("set-through-reader", set_text(first, "v", "x"));
    RegCloseKey(second);
    RegCloseKey(first);
    RegCloseKey(key);
    finish();

    begin("-", "two handles to one key see each other's changes at once");
    key = fresh_key();
    first = open_with(key, "", KEY_ALL_ACCESS);
    second = open_with(key, "", KEY_READ);
    require(set_text(first, "shared", "one"), "set");
    put_query(second, "shared", 8);
    RegCloseKey(create(first, "sub"));
    put_subkeys(second);
    RegCloseKey(first);
    RegCloseKey(second);
    RegCloseKey(key);
    finish();

    begin("-", "open below a key that was deleted");
    key = fresh_key();
    first = create(key, "doomed");
    RegCloseKey(create(key, "doomed2"));
    put_status("delete", RegDeleteKeyA(key, "doomed"));
    second = MADE_UP;
    put_status("open-empty", RegOpenKeyExA(first, "", 0, KEY_READ, &second));
    put("key=%s", handle_state(second, first));
    second = MADE_UP;
    put_status("open-child", RegOpenKeyExA(first, "x", 0, KEY_READ, &second));
    put("key=%s", handle_state(second, first));
    put_status("close", RegCloseKey(first));
    RegCloseKey(key);
    finish();
}

static void access_rights(void)
{
    struct {
        const char *title;
        REGSAM access;
    } cases[] = {
        {"rights of a KEY_READ handle", KEY_READ},
        {"rights of a KEY_WRITE handle", KEY_WRITE},
        {"rights of a KEY_QUERY_VALUE handle", KEY_QUERY_VALUE},
        {"rights of a KEY_SET_VALUE handle", KEY_SET_VALUE},
        {"rights of a KEY_ENUMERATE_SUB_KEYS handle", KEY_ENUMERATE_SUB_KEYS},
        {"rights of a KEY_EXECUTE handle", KEY_EXECUTE},
        {"rights of a KEY_CREATE_SUB_KEY handle", KEY_CREATE_SUB_KEY},
        {"rights of a handle opened with no rights", 0},
        {"rights of a GENERIC_READ handle", GENERIC_READ},
        {"rights of a GENERIC_WRITE handle", GENERIC_WRITE},
        {"rights of a GENERIC_EXECUTE handle", GENERIC_EXECUTE},
        {"rights of a GENERIC_ALL handle", GENERIC_ALL},
        {"rights of a GENERIC_READ|GENERIC_WRITE handle", GENERIC_READ | GENERIC_WRITE},
        {"rights of a MAXIMUM_ALLOWED handle", MAXIMUM_ALLOWED},
        {"rights of a KEY_ALL_ACCESS handle", KEY_ALL_ACCESS},
        {"rights of a KEY_READ|KEY_WOW64_64KEY handle", KEY_READ | KEY_WOW64_64KEY},
        {"rights of a KEY_NOTIFY handle", KEY_NOTIFY},
        {"rights of a KEY_CREATE_LINK handle", KEY_CREATE_LINK},
        {"rights of a DELETE handle", DELETE},
        {"rights of a READ_CONTROL handle", READ_CONTROL},
        {"rights of a KEY_QUERY_VALUE|KEY_SET_VALUE handle", KEY_QUERY_VALUE | KEY_SET_VALUE},
        {"rights of a GENERIC_READ|KEY_SET_VALUE handle", GENERIC_READ | KEY_SET_VALUE},
        {"rights of a STANDARD_RIGHTS_ALL handle", STANDARD_RIGHTS_ALL},
    };
    size_t i;
    for (i = 0; i < sizeof cases / sizeof cases[0]; ++i) {
        HKEY key;
        begin("-", cases[i].title);
        key = fresh_key();
        require(set_text(key, "v", "x"), "set");
        RegCloseKey(create(key, "sub"));
        put_rights(key, cases[i].access);
        RegCloseKey(key);
        finish();
    }

    begin("-", "the rights of a predefined handle");
    put_rights(HKEY_CURRENT_USER, KEY_READ);
    finish();

    begin("-", "a deleted key outranks a missing right");
    {
        HKEY key = fresh_key();
        HKEY reader = open_with(key, "", KEY_READ);
        char name[8];
        put_status("delete", RegDeleteKeyA(key, ""));
        put_status("set", set_text(reader, "v", "x"));
        put_status("delvalue", RegDeleteValueA(reader, "v"));
        RegCloseKey(reader);
        reader = open_with(HKEY_CURRENT_USER, PROBE_KEY, KEY_SET_VALUE);
        put_status("enumkey-without-right", RegEnumKeyA(reader, 0, name, sizeof name));
        RegCloseKey(reader);
        RegCloseKey(key);
    }
    finish();

    begin("-", "deleting keys ignores the rights of the parent handle");
    {
        HKEY key = fresh_key();
        HKEY reader;
        RegCloseKey(create(key, "child"));
        reader = open_with(key, "", KEY_QUERY_VALUE);
        put_status("delete-child", RegDeleteKeyA(reader, "child"));
        put_status("delete-self", RegDeleteKeyA(reader, ""));
        put_exists(key, "");
        RegCloseKey(reader);
        RegCloseKey(key);
    }
    finish();
}

static void querying(void)
{
    HKEY key;

    begin("-", "query a string into a roomy, an exact and a short buffer");
    key = fresh_key();
    require(set_text(key, "s", "hello"), "set");
    put_query(key, "s", 8);
    put_query(key, "s", 6);
    put_query(key, "s", 5);
    put_query(key, "s", 0);
    RegCloseKey(key);
    finish();

    begin("-", "query sizes without a buffer");
    key = fresh_key();
    require(set_text(key, "s", "hello"), "set");
    {
        DWORD type = 0xEEEE;
        DWORD size = 0;
        put_status("size-only", RegQueryValueExA(key, "s", NULL, NULL, NULL, &size));
        put("size=%lu", (unsigned long)size);
        put_status("type-only", RegQueryValueExA(key, "s", NULL, &type, NULL, NULL));
        put("type=%lu", (unsigned long)type);
        put_status("nothing", RegQueryValueExA(key, "s", NULL, NULL, NULL, NULL));
        size = 1;
        put_status("size-too-small-no-buffer", RegQueryValueExA(key, "s", NULL, NULL, NULL, &size));
        put("size=%lu", (unsigned long)size);
    }
    RegCloseKey(key);
    finish();

    begin("-", "query with bad parameters");
    key = fresh_key();
    require(set_text(key, "s", "hello"), "set");
    {
        BYTE buffer[8];
        DWORD reserved = 0;
        DWORD size = sizeof buffer;
        put_status("buffer-without-size", RegQueryValueExA(key, "s", NULL, NULL, buffer, NULL));
        put_status("reserved", RegQueryValueExA(key, "s", &reserved, NULL, buffer, &size));
        put_status("reserved-missing", RegQueryValueExA(key, "nope", &reserved, NULL, NULL, &size));
    }
    RegCloseKey(key);
    finish();

    begin("-", "query a missing value with and without a buffer");
    key = fresh_key();
    put_query(key, "missing", 8);
    {
        DWORD size = 8;
        put_status("no-buffer", RegQueryValueExA(key, "missing", NULL, NULL, NULL, &size));
        put("size=%lu", (unsigned long)size);
        put_status("nothing", RegQueryValueExA(key, "missing", NULL, NULL, NULL, NULL));
    }
    RegCloseKey(key);
    finish();

    begin("wine:missing-type", "the type after querying a missing value");
    key = fresh_key();
    {
        BYTE buffer[8];
        DWORD type = 0xEEEE;
        DWORD size = sizeof buffer;
        put_status("buffer", RegQueryValueExA(key, "missing", NULL, &type, buffer, &size));
        put("type=%lu", (unsigned long)type);
        type = 0xEEEE;
        put_status("no-buffer", RegQueryValueExA(key, "missing", NULL, &type, NULL, &size));
        put("type=%lu", (unsigned long)type);
    }
    RegCloseKey(key);
    finish();

    begin("-", "the default value is named by null and by the empty name");
    key = fresh_key();
    put_query(key, NULL, 8);
    require(set_text(key, NULL, "dflt"), "set");
    put_query(key, "", 8);
    put_query(key, NULL, 8);
    put_values(key);
    RegCloseKey(key);
    finish();

    begin("-", "type and size in one variable with a roomy buffer");
    key = fresh_key();
    require(set_bytes(key, "BIN32", REG_BINARY, "\x01\x02\x03\x04", 4), "set");
    put_query_one_variable(key, "BIN32", 16);
    RegCloseKey(key);
    finish();

    begin("-", "type and size in one variable with a short buffer");
    key = fresh_key();
    require(set_text(key, "s", "a longer string"), "set");
    put_query_one_variable(key, "s", 3);
    RegCloseKey(key);
    finish();

    begin("-", "type and size in one variable for a string");
    key = fresh_key();
    require(set_bytes(key, "s", REG_SZ, "abc", 3), "set");
    put_query_one_variable(key, "s", 16);
    RegCloseKey(key);
    finish();

    begin("-", "an unterminated string gains a terminator only where there is room");
    key = fresh_key();
    require(set_bytes(key, "three", REG_SZ, "hello", 3), "set");
    put_query(key, "three", 8);
    put_query(key, "three", 4);
    put_query(key, "three", 3);
    put_query(key, "three", 2);
    RegCloseKey(key);
    finish();

    begin("-", "unterminated expandable and multi-strings");
    key = fresh_key();
    require(set_bytes(key, "expand", REG_EXPAND_SZ, "%PATH%xyz", 6), "set");
    require(set_bytes(key, "multi", REG_MULTI_SZ, "a\0bcdef", 3), "set");
    put_query(key, "expand", 8);
    put_query(key, "multi", 8);
    RegCloseKey(key);
    finish();

    begin("-", "binary data never gains a terminator");
    key = fresh_key();
    require(set_bytes(key, "bin", REG_BINARY, "ab", 2), "set");
    require(set_bytes(key, "dw", REG_DWORD, "\x01\x02\x03\x04", 4), "set");
    put_query(key, "bin", 8);
    put_query(key, "dw", 8);
    RegCloseKey(key);
    finish();

    begin("-", "a zero-byte value leaves the buffer alone");
    key = fresh_key();
    require(set_bytes(key, "empty-bin", REG_BINARY, NULL, 0), "set");
    require(set_bytes(key, "empty-sz", REG_SZ, "", 0), "set");
    put_query(key, "empty-bin", 8);
    put_query(key, "empty-sz", 8);
    put_query(key, "empty-sz", 0);
    RegCloseKey(key);
    finish();

    begin("-", "a zero-byte value into a zero-byte buffer");
    key = fresh_key();
    require(set_bytes(key, "z", REG_BINARY, NULL, 0), "set");
    put_query(key, "z", 0);
    RegCloseKey(key);
    finish();

    begin("-", "a buffer of no room for a one-byte value");
    key = fresh_key();
    require(set_bytes(key, "one", REG_BINARY, "1", 1), "set");
    put_query(key, "one", 0);
    RegCloseKey(key);
    finish();

    begin("-", "a query with a value name that is too long");
    key = fresh_key();
    {
        static char value[16386];
        DWORD size = 0;
        memset(value, 'q', 16384);
        value[16384] = '\0';
        put_status("query-16384", RegQueryValueExA(key, value, NULL, NULL, NULL, &size));
        put_status("delete-16384", RegDeleteValueA(key, value));
    }
    RegCloseKey(key);
    finish();

    begin("-", "a value read whole after its size is asked");
    key = fresh_key();
    {
        static BYTE big[70000];
        static BYTE back[70000];
        DWORD size = 0;
        DWORD i;
        for (i = 0; i < sizeof big; ++i)
            big[i] = (BYTE)(i * 7);
        require(RegSetValueExA(key, "big", 0, REG_BINARY, big, sizeof big), "set");
        put_status("ask", RegQueryValueExA(key, "big", NULL, NULL, NULL, &size));
        put("size=%lu", (unsigned long)size);
        put_status("read", RegQueryValueExA(key, "big", NULL, NULL, back, &size));
        put("equal=%s", memcmp(big, back, sizeof big) == 0 ? "yes" : "no");
    }
    RegCloseKey(key);
    finish();

    begin("-", "value names match without regard to case");
    key = fresh_key();
    require(set_text(key, "CamelName", "v"), "set");
    put_query(key, "camelname", 8);
    put_query(key, "CAMELNAME", 8);
    put_values(key);
    RegCloseKey(key);
    finish();
}

static void setting(void)
{
    HKEY key;
    HKEY other;

    begin("-", "a string gains the terminator that follows it");
    key = fresh_key();
    put_status("five", set_bytes(key, "five", REG_SZ, "hello", 5));
    put_stored(key, "five");
    put_status("six", set_bytes(key, "six", REG_SZ, "hello", 6));
    put_stored(key, "six");
    put_status("three", set_bytes(key, "three", REG_SZ, "hello", 3));
    put_stored(key, "three");
    put_status("one", set_bytes(key, "one", REG_SZ, "h", 1));
    put_stored(key, "one");
    RegCloseKey(key);
    finish();

    begin("-", "empty strings");
    key = fresh_key();
    put_status("zero", set_bytes(key, "zero", REG_SZ, "", 0));
    put_stored(key, "zero");
    put_status("nul", set_bytes(key, "nul", REG_SZ, "", 1));
    put_stored(key, "nul");
    put_status("multi-zero", set_bytes(key, "multi-zero", REG_MULTI_SZ, "", 0));
    put_stored(key, "multi-zero");
    RegCloseKey(key);
    finish();

    begin("-", "embedded terminators are kept");
    key = fresh_key();
    put_status("nuls", set_bytes(key, "nuls", REG_SZ, "a\0b\0", 4));
    put_stored(key, "nuls");
    put_status("inner", set_bytes(key, "inner", REG_SZ, "a\0b", 3));
    put_stored(key, "inner");
    put_query(key, "inner", 8);
    RegCloseKey(key);
    finish();

    begin("-", "expandable and multi-strings gain the terminator too");
    key = fresh_key();
    put_status("expand", set_bytes(key, "expand", REG_EXPAND_SZ, "hello", 5));
    put_stored(key, "expand");
    put_status("multi", set_bytes(key, "multi", REG_MULTI_SZ, "ab\0cd", 5));
    put_stored(key, "multi");
    put_query(key, "multi", 8);
    RegCloseKey(key);
    finish();

    begin("-", "other types are stored byte for byte");
    key = fresh_key();
    put_status("binary", set_bytes(key, "binary", REG_BINARY, "hello", 5));
    put_stored(key, "binary");
    put_status("dword-3", set_bytes(key, "dword-3", REG_DWORD, "\x01\x02\x03", 3));
    put_stored(key, "dword-3");
    put_status("dword-0", set_bytes(key, "dword-0", REG_DWORD, "", 0));
    put_stored(key, "dword-0");
    put_status("qword", set_bytes(key, "qword", REG_QWORD, "12345678", 8));
    put_stored(key, "qword");
    put_status("none", set_bytes(key, "none", REG_NONE, "ab", 2));
    put_stored(key, "none");
    put_status("big-endian", set_bytes(key, "big-endian", REG_DWORD_BIG_ENDIAN, "abcd", 4));
    put_stored(key, "big-endian");
    put_status("odd-type", set_bytes(key, "odd-type", 0x1234, "xyz", 3));
    put_stored(key, "odd-type");
    RegCloseKey(key);
    finish();

    begin("-", "strings with bytes after their terminator");
    key = fresh_key();
    put_status("tail", set_bytes(key, "tail", REG_SZ, "hi\0zz", 5));
    put_query(key, "tail", 6);
    put_status("early-nul", set_bytes(key, "early-nul", REG_SZ, "ab\0cd", 3));
    put_stored(key, "early-nul");
    put_status("size-0", set_bytes(key, "size-0", REG_SZ, "abc", 0));
    put_stored(key, "size-0");
    RegCloseKey(key);
    finish();

    begin("-", "a multi-string with its double terminator");
    key = fresh_key();
    put_status("set", set_bytes(key, "m", REG_MULTI_SZ, "a\0b\0\0", 5));
    put_query(key, "m", 6);
    put_status("set-short", set_bytes(key, "n", REG_MULTI_SZ, "a\0b\0\0", 3));
    put_query(key, "n", 6);
    RegCloseKey(key);
    finish();

    begin("-", "an expandable string without its terminator");
    key = fresh_key();
    put_status("set", set_bytes(key, "e", REG_EXPAND_SZ, "abc", 3));
    put_query(key, "e", 6);
    RegCloseKey(key);
    finish();

    begin("-", "the largest type number");
    key = fresh_key();
    put_status("set", set_bytes(key, "t", 0xFFFFFFFFu, "ab", 2));
    put_query(key, "t", 4);
    RegCloseKey(key);
    finish();

    begin("-", "bytes above 127 in strings and binary data");
    key = fresh_key();
    put_status("sz", set_bytes(key, "sz", REG_SZ, "\xc3\xa9t\xc3\xa9", 6));
    put_query(key, "sz", 8);
    put_status("bin", set_bytes(key, "bin", REG_BINARY, "\x80\x81\xfe\xff", 4));
    put_query(key, "bin", 4);
    RegCloseKey(key);
    finish();

    begin("-", "a default value of another type");
    key = fresh_key();
    put_status("set", set_bytes(key, NULL, REG_DWORD, "\x2a\x00\x00\x00", 4));
    put_query(key, "", 4);
    RegCloseKey(key);
    finish();

    begin("-", "value names may hold backslashes and blanks");
    key = fresh_key();
    put_status("backslash", set_text(key, "a\\b", "1"));
    put_status("blank", set_text(key, " ", "2"));
    put_query(key, "a\\b", 4);
    put_query(key, " ", 4);
    put_query(key, "", 4);
    put_exists(key, "a");
    RegCloseKey(key);
    finish();

    begin("-", "a key and a value may share a name");
    key = fresh_key();
    RegCloseKey(create(key, "twin"));
    put_status("set", set_text(key, "twin", "value"));
    put_exists(key, "twin");
    put_query(key, "twin", 8);
    put_status("delete-value", RegDeleteValueA(key, "twin"));
    put_exists(key, "twin");
    RegCloseKey(key);
    finish();

    begin("-", "values belong to their own key only");
    key = fresh_key();
    other = create(key, "child");
    require(set_text(key, "v", "parent"), "set");
    put_query(other, "v", 8);
    RegCloseKey(other);
    RegCloseKey(key);
    finish();

    {
        struct {
            const char *title;
            DWORD type;
        } types[] = {
            {"three bytes of REG_NONE", REG_NONE},
            {"three bytes of REG_SZ", REG_SZ},
            {"three bytes of REG_EXPAND_SZ", REG_EXPAND_SZ},
            {"three bytes of REG_BINARY", REG_BINARY},
            {"three bytes of REG_DWORD", REG_DWORD},
            {"three bytes of REG_DWORD_BIG_ENDIAN", REG_DWORD_BIG_ENDIAN},
            {"three bytes of REG_LINK", REG_LINK},
            {"three bytes of REG_MULTI_SZ", REG_MULTI_SZ},
            {"three bytes of REG_RESOURCE_LIST", REG_RESOURCE_LIST},
            {"three bytes of REG_QWORD", REG_QWORD},
        };
        size_t i;
        for (i = 0; i < sizeof types / sizeof types[0]; ++i) {
            begin("-", types[i].title);
            key = fresh_key();
            put_status("set", set_bytes(key, "v", types[i].type, "abc", 3));
            put_stored(key, "v");
            put_query(key, "v", 8);
            put_query(key, "v", 3);
            put_enum_value(key, 0, 4, 8);
            RegCloseKey(key);
            finish();
        }
    }

    begin("-", "a one-byte multi-string gains its terminator");
    key = fresh_key();
    put_status("set", set_bytes(key, "m", REG_MULTI_SZ, "a", 1));
    put_stored(key, "m");
    RegCloseKey(key);
    finish();

    begin("-", "a long string");
    key = fresh_key();
    {
        static char text[10001];
        memset(text, 's', 10000);
        text[10000] = '\0';
        put_status("set", set_text(key, "long", text));
        put_stored(key, "long");
    }
    RegCloseKey(key);
    finish();

    begin("-", "value names with and without a trailing blank");
    key = fresh_key();
    require(set_text(key, "v", "1"), "set");
    require(set_text(key, "v ", "2"), "set");
    put_query(key, "v", 4);
    put_query(key, "v ", 4);
    put_query(key, "V ", 4);
    RegCloseKey(key);
    finish();

    begin("-", "a value deleted through one handle is gone through another");
    key = fresh_key();
    require(set_text(key, "v", "x"), "set");
    other = open_with(key, "", KEY_READ);
    put_status("delete", RegDeleteValueA(key, "v"));
    put_query(other, "v", 4);
    RegCloseKey(other);
    RegCloseKey(key);
    finish();

    begin("-", "set without data");
    key = fresh_key();
    put_status("null-4", RegSetValueExA(key, "null-4", 0, REG_BINARY, NULL, 4));
    put_stored(key, "null-4");
    put_status("null-0", RegSetValueExA(key, "null-0", 0, REG_BINARY, NULL, 0));
    put_stored(key, "null-0");
    put_status("null-sz-0", RegSetValueExA(key, "null-sz-0", 0, REG_SZ, NULL, 0));
    put_stored(key, "null-sz-0");
    RegCloseKey(key);
    finish();

    begin("-", "setting again keeps the first spelling and takes the new type");
    key = fresh_key();
    require(set_text(key, "Value", "text"), "set");
    put_status("again", set_bytes(key, "VALUE", REG_DWORD, "\x07\x00\x00\x00", 4));
    put_values(key);
    put_query(key, "value", 8);
    RegCloseKey(key);
    finish();

    begin("-", "null and empty names set the default value");
    key = fresh_key();
    put_status("null", set_text(key, NULL, "one"));
    put_status("empty", set_text(key, "", "two"));
    put_values(key);
    put_query(key, NULL, 8);
    RegCloseKey(key);
    finish();

    begin("-", "set on a predefined root, and remove it again");
    put_status("set", set_text(HKEY_CURRENT_USER, "EmberProbeRootValue", "x"));
    put_stored(HKEY_CURRENT_USER, "EmberProbeRootValue");
    put_status("delete", RegDeleteValueA(HKEY_CURRENT_USER, "EmberProbeRootValue"));
    finish();

    begin("-", "replace a large value with a small one");
    key = fresh_key();
    {
        static BYTE big[5000];
        memset(big, 'b', sizeof big);
        require(RegSetValueExA(key, "v", 0, REG_BINARY, big, sizeof big), "set");
        put_status("small", set_bytes(key, "v", REG_BINARY, "s", 1));
        put_query(key, "v", 4);
    }
    RegCloseKey(key);
    finish();
}

static void deleting_values(void)
{
    HKEY key;

    begin("-", "delete a value, then again");
    key = fresh_key();
    require(set_text(key, "Named", "x"), "set");
    put_status("first", RegDeleteValueA(key, "NAMED"));
    put_status("second", RegDeleteValueA(key, "Named"));
    put_status("never", RegDeleteValueA(key, "never"));
    RegCloseKey(key);
    finish();

    begin("-", "null and empty names delete the default value");
    key = fresh_key();
    require(set_text(key, "", "x"), "set");
    put_status("null", RegDeleteValueA(key, NULL));
    put_status("empty", RegDeleteValueA(key, ""));
    require(set_text(key, NULL, "x"), "set");
    put_status("empty-again", RegDeleteValueA(key, ""));
    RegCloseKey(key);
    finish();

    begin("-", "the order of values that remain after a delete");
    key = fresh_key();
    require(set_text(key, "first", "1"), "set");
    require(set_text(key, "second", "2"), "set");
    require(set_text(key, "third", "3"), "set");
    put_status("delete", RegDeleteValueA(key, "second"));
    put_values(key);
    RegCloseKey(key);
    finish();

    begin("-", "a value deleted and set again");
    key = fresh_key();
    require(set_text(key, "only", "1"), "set");
    put_status("delete", RegDeleteValueA(key, "only"));
    put_status("set", set_text(key, "ONLY", "2"));
    put_values(key);
    RegCloseKey(key);
    finish();
}

static void deleting_keys(void)
{
    HKEY key;
    HKEY other;

    begin("-", "delete with a null, missing, or leading-backslash path");
    key = fresh_key();
    put_status("null", RegDeleteKeyA(key, NULL));
    put_status("missing", RegDeleteKeyA(key, "missing"));
    put_status("missing-deep", RegDeleteKeyA(key, "missing\\deeper"));
    RegCloseKey(create(key, "lead"));
    put_status("backslash", RegDeleteKeyA(key, "\\lead"));
    put_subkeys(key);
    RegCloseKey(key);
    finish();

    begin("-", "a key with subkeys stays; paths of several levels work");
    key = fresh_key();
    RegCloseKey(create(key, "Tree\\Branch\\Leaf"));
    put_status("tree", RegDeleteKeyA(key, "Tree"));
    put_status("branch", RegDeleteKeyA(key, "Tree\\Branch"));
    put_status("leaf", RegDeleteKeyA(key, "tree\\branch\\LEAF"));
    put_status("leaf-again", RegDeleteKeyA(key, "Tree\\Branch\\Leaf"));
    put_status("branch-trailing", RegDeleteKeyA(key, "Tree\\Branch\\"));
    put_status("tree-now", RegDeleteKeyA(key, "Tree"));
    put_subkeys(key);
    RegCloseKey(key);
    finish();

    begin("-", "a key with values is deleted with them");
    key = fresh_key();
    other = create(key, "valued");
    require(set_text(other, "v", "x"), "set");
    RegCloseKey(other);
    put_status("delete", RegDeleteKeyA(key, "valued"));
    RegCloseKey(create(key, "valued"));
    other = open_with(key, "valued", KEY_READ);
    put_values(other);
    RegCloseKey(other);
    RegCloseKey(key);
    finish();

    begin("-", "an empty path deletes the handle's own key");
    key = fresh_key();
    other = create(key, "self");
    put_status("delete", RegDeleteKeyA(other, ""));
    put_exists(key, "self");
    put_status("again", RegDeleteKeyA(other, ""));
    put_status("close", RegCloseKey(other));
    RegCloseKey(key);
    finish();

    begin("-", "a deleted key's other handles fail until closed");
    key = fresh_key();
    other = create(key, "doomed");
    require(set_text(other, "v", "x"), "set");
    put_status("delete", RegDeleteKeyA(key, "doomed"));
    put_every_call(other);
    put_status("close", RegCloseKey(other));
    RegCloseKey(key);
    finish();

    begin("-", "a key made again under a deleted name is another key");
    key = fresh_key();
    other = create(key, "phoenix");
    put_status("delete", RegDeleteKeyA(key, "phoenix"));
    RegCloseKey(create(key, "phoenix"));
    put_status("old-handle-set", set_text(other, "v", "x"));
    put_status("old-handle-close", RegCloseKey(other));
    other = open_with(key, "phoenix", KEY_READ);
    put_values(other);
    RegCloseKey(other);
    RegCloseKey(key);
    finish();

    begin("-", "a key deleted through a path and a handle below it");
    key = fresh_key();
    other = create(key, "upper\\lower");
    put_status("delete", RegDeleteKeyA(key, "upper\\lower"));
    put_status("set-through-old", set_text(other, "v", "x"));
    put_exists(key, "upper");
    RegCloseKey(other);
    RegCloseKey(key);
    finish();
}

static void enumerating_keys(void)
{
    HKEY key;
    char name[32];

    begin("-", "subkeys enumerate sorted without regard to case");
    key = fresh_key();
    RegCloseKey(create(key, "beta"));
    RegCloseKey(create(key, "Alpha"));
    RegCloseKey(create(key, "gamma"));
    RegCloseKey(create(key, "DELTA"));
    RegCloseKey(create(key, "alpha2"));
    RegCloseKey(create(key, "10"));
    RegCloseKey(create(key, "9"));
    put_subkeys(key);
    RegCloseKey(key);
    finish();

    begin("wine:subkey-sort", "punctuation sorts as Windows folds it to upper case");
    key = fresh_key();
    RegCloseKey(create(key, "_under"));
    RegCloseKey(create(key, "Zed"));
    RegCloseKey(create(key, "apple"));
    RegCloseKey(create(key, "[bracket"));
    RegCloseKey(create(key, "`tick"));
    RegCloseKey(create(key, "^caret"));
    put_subkeys(key);
    RegCloseKey(key);
    finish();

    begin("-", "three hundred subkeys");
    key = fresh_key();
    {
        int i;
        char first[16] = "";
        char last[16] = "";
        DWORD count = 0;
        for (i = 0; i < 300; ++i) {
            snprintf(name, sizeof name, "k%03d", (i * 7) % 300);
            RegCloseKey(create(key, name));
        }
        while (RegEnumKeyA(key, count, name, sizeof name) == ERROR_SUCCESS) {
            if (count == 0)
                strcpy(first, name);
            strcpy(last, name);
            ++count;
        }
        put("count=%lu first=%s last=%s", (unsigned long)count, first, last);
    }
    RegCloseKey(key);
    finish();

    begin("-", "enumerating subkeys into small buffers");
    key = fresh_key();
    RegCloseKey(create(key, "abcde"));
    memset(name, 'x', sizeof name);
    put_status("room-5", RegEnumKeyA(key, 0, name, 5));
    put_bytes("name", (const BYTE *)name, 6);
    put_status("room-6", RegEnumKeyA(key, 0, name, 6));
    put_bytes("name", (const BYTE *)name, 7);
    memset(name, 'x', sizeof name);
    put_status("room-0", RegEnumKeyA(key, 0, name, 0));
    put_bytes("name", (const BYTE *)name, 1);
    put_status("room-1", RegEnumKeyA(key, 0, name, 1));
    put_bytes("name", (const BYTE *)name, 1);
    RegCloseKey(key);
    finish();

    begin("-", "indices past the last subkey");
    key = fresh_key();
    put_status("empty-0", RegEnumKeyA(key, 0, name, sizeof name));
    RegCloseKey(create(key, "one"));
    put_status("index-0", RegEnumKeyA(key, 0, name, sizeof name));
    put_status("index-1", RegEnumKeyA(key, 1, name, sizeof name));
    put_status("index-huge", RegEnumKeyA(key, 0xFFFFFFFFu, name, sizeof name));
    put_status("root-huge", RegEnumKeyA(HKEY_CURRENT_USER, 100000, name, sizeof name));
    RegCloseKey(key);
    finish();

    begin("-", "indices shift when a subkey is deleted");
    key = fresh_key();
    RegCloseKey(create(key, "a"));
    RegCloseKey(create(key, "b"));
    RegCloseKey(create(key, "c"));
    put_status("delete", RegDeleteKeyA(key, "a"));
    put_subkeys(key);
    RegCloseKey(key);
    finish();

    begin("-", "enumerating subkeys needs the right to");
    key = fresh_key();
    RegCloseKey(create(key, "one"));
    {
        HKEY limited = open_with(key, "", KEY_QUERY_VALUE);
        put_status("query-only", RegEnumKeyA(limited, 0, name, sizeof name));
        RegCloseKey(limited);
        limited = open_with(key, "", KEY_ENUMERATE_SUB_KEYS);
        put_status("enumerate-only", RegEnumKeyA(limited, 0, name, sizeof name));
        RegCloseKey(limited);
    }
    RegCloseKey(key);
    finish();
}

static void enumerating_values(void)
{
    HKEY key;

    begin("wine:value-order", "values enumerate in the order they were made");
    key = fresh_key();
    require(set_text(key, "bravo", "1"), "set");
    require(set_text(key, "alpha", "2"), "set");
    require(set_text(key, "Charlie", "3"), "set");
    require(set_text(key, "", "4"), "set");
    put_values(key);
    RegCloseKey(key);
    finish();

    begin("-", "a value enumerated into roomy buffers");
    key = fresh_key();
    require(set_text(key, "name", "data"), "set");
    put_enum_value(key, 0, 8, 8);
    put_enum_value(key, 0, 5, 5);
    RegCloseKey(key);
    finish();

    begin("-", "data too small for its buffer: nothing is written");
    key = fresh_key();
    require(set_text(key, "name", "data"), "set");
    put_enum_value(key, 0, 8, 4);
    put_enum_value(key, 0, 2, 2);
    RegCloseKey(key);
    finish();

    begin("-", "the data fits but the name does not");
    key = fresh_key();
    require(set_text(key, "name", "data"), "set");
    put_enum_value(key, 0, 4, 8);
    put_enum_value(key, 0, 3, 8);
    put_enum_value(key, 0, 1, 8);
    RegCloseKey(key);
    finish();

    begin("-", "the name alone, and sizes without data");
    key = fresh_key();
    require(set_text(key, "name", "data"), "set");
    {
        char name[16];
        DWORD length = sizeof name;
        DWORD size = 0;
        DWORD type = 0xEEEE;
        put_status("name-only", RegEnumValueA(key, 0, name, &length, NULL, NULL, NULL, NULL));
        put("length=%lu name=%s", (unsigned long)length, name);
        length = sizeof name;
        put_status("sizes", RegEnumValueA(key, 0, name, &length, NULL, &type, NULL, &size));
        put("length=%lu type=%lu size=%lu", (unsigned long)length, (unsigned long)type,
            (unsigned long)size);
        length = 4;
        size = 0;
        put_status("short-name-sizes",
                   RegEnumValueA(key, 0, name, &length, NULL, NULL, NULL, &size));
        put("length=%lu size=%lu", (unsigned long)length, (unsigned long)size);
    }
    RegCloseKey(key);
    finish();

    begin("-", "a name buffer of no room");
    key = fresh_key();
    require(set_text(key, "name", "data"), "set");
    put_enum_value(key, 0, 0, 8);
    RegCloseKey(key);
    finish();

    begin("-", "data without asking for the type");
    key = fresh_key();
    require(set_text(key, "name", "data"), "set");
    {
        char name[16];
        BYTE data[16];
        DWORD length = sizeof name;
        DWORD size = sizeof data;
        memset(data, 'x', sizeof data);
        put_status("rc", RegEnumValueA(key, 0, name, &length, NULL, NULL, data, &size));
        put("size=%lu", (unsigned long)size);
        put_bytes("data", data, 6);
    }
    RegCloseKey(key);
    finish();

    begin("-", "a hundred values");
    key = fresh_key();
    {
        char name[16];
        DWORD length;
        DWORD count = 0;
        int i;
        for (i = 0; i < 100; ++i) {
            snprintf(name, sizeof name, "v%03d", i);
            require(set_text(key, name, name), "set");
        }
        while (length = sizeof name,
               RegEnumValueA(key, count, name, &length, NULL, NULL, NULL, NULL) == ERROR_SUCCESS)
            ++count;
        put("count=%lu", (unsigned long)count);
    }
    RegCloseKey(key);
    finish();

    begin("-", "a value name of 16383 characters enumerates whole");
    key = fresh_key();
    {
        static char name[16400];
        DWORD length = sizeof name;
        memset(name, 'n', 16383);
        name[16383] = '\0';
        require(set_text(key, name, "x"), "set");
        memset(name, 0, sizeof name);
        put_status("rc", RegEnumValueA(key, 0, name, &length, NULL, NULL, NULL, NULL));
        put("length=%lu strlen=%lu", (unsigned long)length, (unsigned long)strlen(name));
        length = 16383;
        put_status("short", RegEnumValueA(key, 0, name, &length, NULL, NULL, NULL, NULL));
        put("length=%lu", (unsigned long)length);
    }
    RegCloseKey(key);
    finish();

    begin("-", "enumerating values with bad parameters");
    key = fresh_key();
    require(set_text(key, "name", "data"), "set");
    {
        char name[16];
        BYTE data[16];
        DWORD length = sizeof name;
        DWORD reserved = 0;
        put_status("no-length", RegEnumValueA(key, 0, name, NULL, NULL, NULL, NULL, NULL));
        put_status("data-without-size",
                   RegEnumValueA(key, 0, name, &length, NULL, NULL, data, NULL));
        length = sizeof name;
        put_status("reserved", RegEnumValueA(key, 0, name, &length, &reserved, NULL, NULL, NULL));
    }
    RegCloseKey(key);
    finish();

    begin("-", "indices past the last value");
    key = fresh_key();
    put_enum_value(key, 0, 8, 8);
    require(set_text(key, "only", "x"), "set");
    put_enum_value(key, 1, 8, 8);
    put_enum_value(key, 0xFFFFFFFFu, 8, 8);
    RegCloseKey(key);
    finish();

    begin("-", "unterminated strings enumerate with a terminator where there is room");
    key = fresh_key();
    require(set_bytes(key, "s", REG_SZ, "hello", 3), "set");
    put_enum_value(key, 0, 8, 8);
    put_enum_value(key, 0, 8, 3);
    RegCloseKey(key);
    finish();

    begin("-", "the default value and a zero-byte value enumerate");
    key = fresh_key();
    require(set_text(key, NULL, "d"), "set");
    require(set_bytes(key, "zero", REG_BINARY, NULL, 0), "set");
    put_enum_value(key, 0, 8, 8);
    put_enum_value(key, 1, 8, 8);
    RegCloseKey(key);
    finish();

    begin("-", "type and size in one variable while enumerating");
    key = fresh_key();
    require(set_bytes(key, "BIN32", REG_BINARY, "\x01\x02\x03\x04", 4), "set");
    {
        char name[16];
        BYTE data[16];
        DWORD length = sizeof name;
        DWORD both = sizeof data;
        memset(data, 'x', sizeof data);
        put_status("rc", RegEnumValueA(key, 0, name, &length, NULL, &both, data, &both));
        put("both=%lu", (unsigned long)both);
        put_bytes("data", data, 5);
    }
    RegCloseKey(key);
    finish();

    begin("-", "enumerating values needs the right to query");
    key = fresh_key();
    require(set_text(key, "v", "x"), "set");
    {
        HKEY limited = open_with(key, "", KEY_ENUMERATE_SUB_KEYS);
        put_enum_value(limited, 0, 8, 8);
        RegCloseKey(limited);
        limited = open_with(key, "", KEY_QUERY_VALUE);
        put_enum_value(limited, 0, 8, 8);
        RegCloseKey(limited);
    }
    RegCloseKey(key);
    finish();
}

static void deleting_trees(void)
{
    HKEY key;
    HKEY other;

    begin("-", "delete a tree below a key");
    key = fresh_key();
    other = create(key, "tree\\a\\deep");
    require(set_text(other, "v", "x"), "set");
    RegCloseKey(other);
    RegCloseKey(create(key, "tree\\b"));
    RegCloseKey(create(key, "keep"));
    put_status("delete", RegDeleteTreeA(key, "tree"));
    put_subkeys(key);
    put_status("again", RegDeleteTreeA(key, "tree"));
    RegCloseKey(key);
    finish();

    begin("-", "delete what is below a key but keep the key");
    key = fresh_key();
    require(set_text(key, "v", "x"), "set");
    RegCloseKey(create(key, "a\\b"));
    RegCloseKey(create(key, "c"));
    put_status("delete", RegDeleteTreeA(key, NULL));
    put_subkeys(key);
    put_values(key);
    put_status("still-usable", set_text(key, "w", "y"));
    RegCloseKey(key);
    finish();

    begin("-", "a tree deleted while handles inside it are open");
    key = fresh_key();
    other = create(key, "tree\\inner");
    put_status("delete", RegDeleteTreeA(key, "tree"));
    put_status("inner-set", set_text(other, "v", "x"));
    put_status("inner-close", RegCloseKey(other));
    RegCloseKey(key);
    finish();

    begin("-", "delete a tree through a path of several levels");
    key = fresh_key();
    RegCloseKey(create(key, "one\\two\\three\\four"));
    put_status("delete", RegDeleteTreeA(key, "ONE\\two"));
    put_exists(key, "one");
    put_exists(key, "one\\two");
    RegCloseKey(key);
    finish();

    begin("-", "delete a tree named by an empty path");
    key = fresh_key();
    RegCloseKey(create(key, "self\\inner"));
    other = create(key, "self");
    require(set_text(other, "v", "x"), "set");
    put_status("delete", RegDeleteTreeA(other, ""));
    put_exists(key, "self");
    put_subkeys(other);
    put_values(other);
    RegCloseKey(other);
    RegCloseKey(key);
    finish();

    begin("-", "delete a tree that holds only values");
    key = fresh_key();
    other = create(key, "valued");
    require(set_text(other, "a", "1"), "set");
    require(set_text(other, "b", "2"), "set");
    RegCloseKey(other);
    put_status("delete", RegDeleteTreeA(key, "valued"));
    put_subkeys(key);
    RegCloseKey(key);
    finish();

    begin("-", "delete a tree through a handle of a deleted key");
    key = fresh_key();
    other = create(key, "gone");
    put_status("delete", RegDeleteKeyA(key, "gone"));
    put_status("tree-null", RegDeleteTreeA(other, NULL));
    put_status("tree-child", RegDeleteTreeA(other, "x"));
    RegCloseKey(other);
    RegCloseKey(key);
    finish();

    begin("-", "delete a tree below the machine root");
    RegCloseKey(create(HKEY_LOCAL_MACHINE, PROBE_KEY "\\Tree\\Deep"));
    put_status("delete", RegDeleteTreeA(HKEY_LOCAL_MACHINE, PROBE_KEY "\\Tree"));
    put_exists(HKEY_LOCAL_MACHINE, PROBE_KEY "\\Tree");
    put_exists(HKEY_LOCAL_MACHINE, PROBE_KEY);
    finish();

    begin("-", "delete a tree named with a trailing backslash in another case");
    key = fresh_key();
    RegCloseKey(create(key, "Tree\\leaf"));
    put_status("delete", RegDeleteTreeA(key, "TREE\\"));
    put_subkeys(key);
    RegCloseKey(key);
    finish();

    begin("-", "delete a wide tree");
    key = fresh_key();
    {
        char path[32];
        int i;
        for (i = 0; i < 60; ++i) {
            snprintf(path, sizeof path, "wide\\k%02d\\a\\b", i);
            RegCloseKey(create(key, path));
        }
        other = open_with(key, "wide\\k07\\a", KEY_READ);
        put_status("delete", RegDeleteTreeA(key, "wide"));
        put_subkeys(key);
        put_status("inner-handle", RegEnumKeyA(other, 0, path, sizeof path));
        RegCloseKey(other);
    }
    RegCloseKey(key);
    finish();

    begin("-", "handles below a key emptied by a tree delete");
    key = fresh_key();
    other = create(key, "child");
    put_status("delete", RegDeleteTreeA(key, NULL));
    put_status("child-set", set_text(other, "v", "x"));
    put_status("parent-set", set_text(key, "v", "x"));
    RegCloseKey(other);
    RegCloseKey(key);
    finish();

    begin("-", "delete a tree with a bad handle or path");
    put_status("null-handle", RegDeleteTreeA(NULL, "x"));
    put_status("made-up", RegDeleteTreeA(MADE_UP, "x"));
    key = fresh_key();
    put_status("missing", RegDeleteTreeA(key, "missing"));
    put_status("backslash", RegDeleteTreeA(key, "\\x"));
    RegCloseKey(key);
    finish();
}

int main(void)
{
    RegDeleteTreeA(HKEY_CURRENT_USER, PROBE_KEY);
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, PROBE_KEY);
    RegDeleteTreeA(HKEY_CURRENT_CONFIG, "EmberProbe");
    RegDeleteTreeA(HKEY_CLASSES_ROOT, CLASS_KEY);
    RegCloseKey(create(HKEY_CURRENT_USER, PROBE_KEY));

    invalid_handles();
    predefined_roots();
    paths();
    name_limits();
    creating();
    opening();
    access_rights();
    querying();
    setting();
    deleting_values();
    deleting_keys();
    enumerating_keys();
    enumerating_values();
    deleting_trees();

    RegDeleteTreeA(HKEY_CURRENT_USER, PROBE_KEY);
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, PROBE_KEY);
    return 0;
}
