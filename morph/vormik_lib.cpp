#include "morph/vormik_lib.h"

namespace vaarikas::morph {

namespace {
template <class Fn>
void Look(const plat::Library& lib, const char* name, Fn* fn) {
  *fn = reinterpret_cast<Fn>(lib.Symbol(name));
}
}  // namespace

CVormikLib::CVormikLib(const std::string& libraryPath, const std::string& progDir) {
  m_hLib = plat::Library::Open(libraryPath, &m_strLoadError);
  if (!m_hLib) return;
  const plat::Library& l = *m_hLib;
  Look(l, "KonveierilRuumi", &KonveierilRuumi);
  Look(l, "PistaKonveierile", &PistaKonveierile);
  Look(l, "VotaKonveierilt", &VotaKonveierilt);
  Look(l, "YheSonaga", &YheSonaga);
  Look(l, "PohiSonastikuNimi", &PohiSonastikuNimi);
  Look(l, "LisaSonastikuNimi", &LisaSonastikuNimi);
  Look(l, "TeisendusTabeliNimi", &TeisendusTabeliNimi);
  Look(l, "VerDct", &VerDct);
  Look(l, "VerOle", &VerOle);
  Look(l, "VerMrf", &VerMrf);
  Look(l, "VerLem", &VerLem);
  Look(l, "VerGen", &VerGen);
  Look(l, "VerSov", &VerSov);
  Look(l, "StartVormik", &StartVormik);
  Look(l, "StoppVormik", &StoppVormik);
  Look(l, "MrfErrNo", &MrfErrNo);
  // The entry points the stage calls must all be there; a library without
  // them is treated like one that failed to start.
  if (!StartVormik || !MrfErrNo || !KonveierilRuumi || !PistaKonveierile || !VotaKonveierilt || !YheSonaga) {
    m_strLoadError = "the library lacks entry points of the analyser";
    StoppVormik = nullptr;
    m_hLib.reset();
    return;
  }
  StartVormik(progDir.c_str(), "eesti.dct", "eesti2.udr", "baltic.cnv", 3);
}

CVormikLib::~CVormikLib() {
  if (m_hLib && StoppVormik) StoppVormik();
  m_hLib.reset();
}

int CVormikLib::ErrNo() const {
  if (!m_hLib) return -1;
  return MrfErrNo();
}

}  // namespace vaarikas::morph
