// C interface of the Estonian morphological analyser library libvormik.so.
// Strings are zero-terminated 8-bit Windows-1257 text. A returned string
// belongs to the library and stays valid until the next call into it.
#pragma once

#ifdef __cplusplus
extern "C" {
#endif

// Starts the analyser with the dictionary files found in `dir`: the main
// dictionary, the user dictionary and the character conversion table. The
// last argument is accepted for compatibility (3: normal analysis). Returns
// the same value as MrfErrNo() afterwards.
int StartVormik(const char* dir, const char* main_dct, const char* user_dct,
                const char* conversion_table, int mode);
// 0 after a successful start; otherwise one of the VORMIK_E* codes below.
int MrfErrNo(void);
// Non-zero while the pipeline accepts another input line.
int KonveierilRuumi(void);
// Gives one input line (a token or a sentence marker) to the pipeline.
void PistaKonveierile(const char* line);
// The analyser text of the oldest token in the pipeline, or null when the
// pipeline is empty.
const char* VotaKonveierilt(long options);
// The analyser text of one word form analysed on its own, with guessing.
const char* YheSonaga(long options, const char* word);
// Ends the analyser and frees everything it holds.
void StoppVormik(void);

const char* PohiSonastikuNimi(void);    // path of the main dictionary in use
const char* LisaSonastikuNimi(void);    // path of the user dictionary in use
const char* TeisendusTabeliNimi(void);  // path of the conversion table
const char* VerDct(void);               // dictionary version
const char* VerOle(void);
const char* VerMrf(void);
const char* VerLem(void);
const char* VerGen(void);
const char* VerSov(void);

#ifdef __cplusplus
}
#endif

// Error codes returned by MrfErrNo().
#define VORMIK_OK 0
#define VORMIK_ENOTSTARTED 1   // StartVormik has not been called or failed early
#define VORMIK_EARGS 2         // a null or over-long argument
#define VORMIK_EDCT_OPEN 3     // main dictionary missing or unreadable
#define VORMIK_EDCT_CORRUPT 4  // main dictionary damaged or of another version
#define VORMIK_EUDR_OPEN 5     // user dictionary missing or unreadable
#define VORMIK_ECNV_OPEN 6     // conversion table missing or unreadable
