// Binding of the morphological analyser library (libvormik.so): loads it,
// looks up its sixteen C entry points by name and starts it; stops and
// unloads it again when destroyed.
#pragma once

#include <memory>
#include <string>

#include "common/platform.h"

namespace vaarikas::morph {

extern "C" {
typedef int (*KonveierilRuumiFn)(void);
typedef void (*PistaKonveierileFn)(const char* line);
typedef const char* (*VotaKonveieriltFn)(long options);
typedef const char* (*YheSonagaFn)(long options, const char* word);
typedef const char* (*NameQueryFn)(void);
typedef int (*StartVormikFn)(const char* dir, const char* mainDict, const char* userDict, const char* convTable,
                             int flags);
typedef void (*StoppVormikFn)(void);
typedef int (*MrfErrNoFn)(void);
}

// Option words of the two analysis calls.
inline constexpr long kPipelineOptions = 0x2002D0;
inline constexpr long kSingleWordOptions = 0x240280;

class CVormikLib {
 public:
  // Loads libraryPath, looks up the entry points and calls StartVormik with
  // progDir and the data file names "eesti.dct", "eesti2.udr", "baltic.cnv".
  CVormikLib(const std::string& libraryPath, const std::string& progDir);
  ~CVormikLib();
  CVormikLib(const CVormikLib&) = delete;
  CVormikLib& operator=(const CVormikLib&) = delete;

  bool Loaded() const { return m_hLib != nullptr; }
  // -1 without a library, else MrfErrNo() (0: started well).
  int ErrNo() const;
  // Why loading failed (the loader's reason), for diagnostics.
  const std::string& LoadError() const { return m_strLoadError; }

  KonveierilRuumiFn KonveierilRuumi = nullptr;
  PistaKonveierileFn PistaKonveierile = nullptr;
  VotaKonveieriltFn VotaKonveierilt = nullptr;
  YheSonagaFn YheSonaga = nullptr;
  NameQueryFn PohiSonastikuNimi = nullptr;
  NameQueryFn LisaSonastikuNimi = nullptr;
  NameQueryFn TeisendusTabeliNimi = nullptr;
  NameQueryFn VerDct = nullptr;
  NameQueryFn VerOle = nullptr;
  NameQueryFn VerMrf = nullptr;
  NameQueryFn VerLem = nullptr;
  NameQueryFn VerGen = nullptr;
  NameQueryFn VerSov = nullptr;

 private:
  std::unique_ptr<plat::Library> m_hLib;
  StartVormikFn StartVormik = nullptr;
  StoppVormikFn StoppVormik = nullptr;
  MrfErrNoFn MrfErrNo = nullptr;
  std::string m_strLoadError;
};

}  // namespace vaarikas::morph
