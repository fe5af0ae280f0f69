/*
 * libhost: loads a Tovrin dialog library with dlopen and calls one of its
 * exports, printing the result and what came back.
 *
 *   libhost ryl LIBRARY INI [K V0 V1 ...]       RylOptionDlg
 *   libhost mard LIBRARY INI N                  MardOptionDlg
 *   libhost mardex LIBRARY INI N FIRSTWORD      MardOptionDlgEx
 *   libhost pickwell LIBRARY                    Pickwell
 *   libhost pickwellex LIBRARY CURRENT          PickwellEx
 *
 * N is how many words the caller's array holds. Numbers may be decimal or
 * 0x-prefixed hexadecimal.
 */
#include <dlfcn.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

typedef int (*RylOptionDlgFn)(const char*, uint16_t*);
typedef int (*MardOptionDlgFn)(const char*, uint16_t*);
typedef int (*MardOptionDlgExFn)(const char*, uint16_t*, int);
typedef int (*PickwellFn)(char*);
typedef int (*PickwellExFn)(char*, const char*);

enum { kMaxWords = 256, kNameBytes = 260 };

/* Stores the export's address in *function; 0 when the library lacks it.
   (ISO C has no cast from dlsym's object pointer to a function pointer.) */
static int Load(void* library, const char* name, void* function, size_t size) {
    void* symbol = dlsym(library, name);
    if (!symbol) {
        fprintf(stderr, "libhost: %s not found: %s\n", name, dlerror());
        return 0;
    }
    memcpy(function, &symbol, size);
    return 1;
}

static void PrintWords(const char* what, const uint16_t* words, int count) {
    printf("%s:", what);
    for (int i = 0; i < count; ++i) printf(" %04X", words[i]);
    printf("\n");
}

static int Usage(void) {
    fprintf(stderr,
            "usage: libhost ryl LIBRARY INI [K V0 V1 ...]\n"
            "       libhost mard LIBRARY INI N\n"
            "       libhost mardex LIBRARY INI N FIRSTWORD\n"
            "       libhost pickwell LIBRARY\n"
            "       libhost pickwellex LIBRARY CURRENT\n");
    return 2;
}

static int Ryl(void* library, int argc, char** argv) {
    RylOptionDlgFn dialog;
    if (!Load(library, "RylOptionDlg", &dialog, sizeof dialog)) return 1;
    uint16_t buffer[2 + 2 * kMaxWords];
    memset(buffer, 0, sizeof buffer);
    if (argc > 4) {
        buffer[0] = (uint16_t)strtol(argv[4], NULL, 0);
        for (int i = 5; i < argc && i - 5 < 8; ++i)
            buffer[2 + 2 * (i - 5)] = (uint16_t)strtol(argv[i], NULL, 0);
    }
    int result = dialog(argv[3], buffer);
    printf("result: %d\n", result);
    /* The 36 input bytes, or all that OK wrote when that is more. */
    int shown = 1 + 2 * buffer[0];
    if (shown < 18) shown = 18;
    if (shown > 2 + 2 * kMaxWords) shown = 2 + 2 * kMaxWords;
    PrintWords("words", buffer, shown);
    return 0;
}

static int Mard(void* library, int argc, char** argv, int extended) {
    if (argc < (extended ? 6 : 5)) return Usage();
    int count = atoi(argv[4]);
    if (count < 0 || count > kMaxWords) count = kMaxWords;
    uint16_t values[kMaxWords];
    memset(values, 0xEE, sizeof values);
    int result;
    if (extended) {
        MardOptionDlgExFn dialog;
        if (!Load(library, "MardOptionDlgEx", &dialog, sizeof dialog)) return 1;
        result = dialog(argv[3], values, (int)strtol(argv[5], NULL, 0));
    } else {
        MardOptionDlgFn dialog;
        if (!Load(library, "MardOptionDlg", &dialog, sizeof dialog)) return 1;
        result = dialog(argv[3], values);
    }
    printf("result: %d\n", result);
    PrintWords("values", values, count);
    return 0;
}

static int Pickwell(void* library, int argc, char** argv, int extended) {
    char name[kNameBytes];
    strcpy(name, "(untouched)");
    int result;
    if (extended) {
        if (argc < 4) return Usage();
        PickwellExFn dialog;
        if (!Load(library, "PickwellEx", &dialog, sizeof dialog)) return 1;
        result = dialog(name, argv[3]);
    } else {
        PickwellFn dialog;
        if (!Load(library, "Pickwell", &dialog, sizeof dialog)) return 1;
        result = dialog(name);
    }
    printf("result: %d\nname: %s\n", result, name);
    return 0;
}

int main(int argc, char** argv) {
    if (argc < 3) return Usage();
    const char* command = argv[1];
    int needsIni = strcmp(command, "ryl") == 0 || strncmp(command, "mard", 4) == 0;
    if (needsIni && argc < 4) return Usage();

    void* library = dlopen(argv[2], RTLD_NOW | RTLD_LOCAL);
    if (!library) {
        fprintf(stderr, "libhost: %s\n", dlerror());
        return 1;
    }
    int status;
    if (strcmp(command, "ryl") == 0) {
        status = Ryl(library, argc, argv);
    } else if (strcmp(command, "mard") == 0) {
        status = Mard(library, argc, argv, 0);
    } else if (strcmp(command, "mardex") == 0) {
        status = Mard(library, argc, argv, 1);
    } else if (strcmp(command, "pickwell") == 0) {
        status = Pickwell(library, argc, argv, 0);
    } else if (strcmp(command, "pickwellex") == 0) {
        status = Pickwell(library, argc, argv, 1);
    } else {
        status = Usage();
    }
    /* The libraries keep their Qt application until the process ends, so
       they stay loaded. */
    return status;
}
