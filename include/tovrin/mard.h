/* Mard: the "Configuration Bits" dialog for an outside program. */
#ifndef TOVRIN_MARD_H
#define TOVRIN_MARD_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/*
 * Shows the dialog described by the INI file at path (under 260 bytes; a
 * missing file is created empty) and returns 1 when the user chose OK, else 0.
 * Whatever the answer, values[0 .. N-1] receive the N option words the
 * file names: the chosen values after OK, the starting values otherwise.
 * Word 0 starts from the value last given to MardOptionDlgEx in this
 * process (0 before any such call).
 */
int MardOptionDlg(const char* path, uint16_t* values);

/* Keeps the low 16 bits of firstWord as word 0's starting value for this
 * and later calls, then does what MardOptionDlg does. */
int MardOptionDlgEx(const char* path, uint16_t* values, int firstWord);

#ifdef __cplusplus
}
#endif

#endif
