/* Ryl: the "Configuration Bits" dialog for an outside program. */
#ifndef TOVRIN_RYL_H
#define TOVRIN_RYL_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/*
 * Shows the dialog described by the INI file at path (under 260 bytes; a
 * missing file is created empty) and returns 1 when the user chose OK, else 0.
 *
 * buffer: at least 36 bytes, and 2 + 4 * N bytes for N option words.
 * In:  buffer[0] = K; when K is not 0 the dialog shows K words (at most 8),
 *      word i starting from buffer[2 + 2 * i]; when K is 0 the file gives
 *      the words and their starting values.
 * Out, on OK only: buffer[0] = N, then per word i buffer[1 + 2 * i] = its
 *      address (OptAddr) and buffer[2 + 2 * i] = its value. On 0 the buffer
 *      is left as it was.
 */
int RylOptionDlg(const char* path, uint16_t* buffer);

#ifdef __cplusplus
}
#endif

#endif
