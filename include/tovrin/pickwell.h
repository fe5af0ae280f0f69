/* Pickwell: the chip-selection dialog for an outside program. */
#ifndef TOVRIN_PICKWELL_H
#define TOVRIN_PICKWELL_H

#ifdef __cplusplus
extern "C" {
#endif

/*
 * Lists the .dev files of the Device folder and returns 1 when the user chose OK, else 0.
 * On OK with an entry chosen, out (260 bytes) receives the file's title
 * without ".dev" and without its first four characters, zero-terminated;
 * otherwise out is left as it was.
 */
int Pickwell(char* out);

/* Lists Device/ under the current directory, opening on the entry equal to
 * current (the first entry when current is empty or "VB27"); later Pickwell
 * calls keep both. Otherwise as Pickwell. */
int PickwellEx(char* out, const char* current);

#ifdef __cplusplus
}
#endif

#endif
