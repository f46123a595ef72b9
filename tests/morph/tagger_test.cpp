// Cohort tagging and verb readings: analyser texts in, cohort stream lines out.
#include <gtest/gtest.h>

#include "morph/lexicon.h"
#include "morph/tagger.h"
#include "morph_test_util.h"

namespace vaarikas::morph {
namespace {

using testing::TempDir;
using testing::WriteFile;

class TaggerTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    TempDir d;
    WriteFile(d / "lexicon.lex", testing::kTestLexicon);
    ::testing::internal::CaptureStdout();
    ASSERT_EQ(ReadLexiconLists(d / "lexicon.lex"), 0);
    ::testing::internal::GetCapturedStdout();
  }
  std::string Tag(const std::string& text) { return tagger.Tag(text); }
  CohortTagger tagger;
};

TEST_F(TaggerTest, ProperNounGetsNounLetterPropCaseAndCapital) {
  EXPECT_EQ(Tag("Tallinn\n    Tallinn+0 //_H_ sg n, //\n"),
            "Tallinn\n    Tallinn+0 //_S_ prop sg nom  #cap //\n");
}

TEST_F(TaggerTest, SeveralCodesBecomeOneReadingEach) {
  EXPECT_EQ(Tag("maja\n    maja+0 //_S_ sg n, sg g, //\n"),
            "maja\n    maja+0 //_S_ com sg nom // \n    maja+0 //_S_ com sg gen // \n");
  // Marker text after the closing "//" follows every reading made from a code.
  EXPECT_EQ(Tag("maja\n    maja+0 //_S_ sg n, sg g, // *x\n"),
            "maja\n    maja+0 //_S_ com sg nom // *x\n    maja+0 //_S_ com sg gen // *x\n");
  // A capitalised word gets "#cap " on every such reading.
  EXPECT_EQ(Tag("Maja\n    maja+0 //_S_ sg n, sg g, //\n"),
            "Maja\n    maja+0 //_S_ com sg nom #cap // \n    maja+0 //_S_ com sg gen #cap // \n");
}

TEST_F(TaggerTest, ShortIllativeGetsItsNumberOnce) {
  EXPECT_EQ(Tag("majja\n    maja+0 //_S_ adt, //\n"), "majja\n    maja+0 //_S_ com sg adit  //\n");
  EXPECT_EQ(Tag("majja\n    maja+0 //_S_ sg adt, //\n"), "majja\n    maja+0 //_S_ com sg adit  //\n");
  EXPECT_EQ(Tag("majja\n    maja+0 //_S_ (adt), //\n"), "majja\n    maja+0 //_S_ com sg adit ?  //\n");
  EXPECT_EQ(Tag("x\n    x+0 //_S_ sg ter, sg ab, pl p, //\n"),
            "x\n    x+0 //_S_ com sg term // \n    x+0 //_S_ com sg abes // \n    x+0 //_S_ com pl part // \n");
}

TEST_F(TaggerTest, SubclassesOfNominals) {
  EXPECT_EQ(Tag("ilus\n    ilus+0 //_A_ sg n, //\n"), "ilus\n    ilus+0 //_A_ pos sg nom  //\n");
  EXPECT_EQ(Tag("ilusam\n    ilus+m //_C_ sg n, //\n"), "ilusam\n    ilus+m //_A_ comp sg nom  //\n");
  EXPECT_EQ(Tag("ilusaim\n    ilus+im //_U_ sg n, //\n"), "ilusaim\n    ilus+im //_A_ super sg nom  //\n");
  EXPECT_EQ(Tag("teine\n    teine+0 //_O_ sg n, //\n"), "teine\n    teine+0 //_N_ ord sg nom  l //\n");
  EXPECT_EQ(Tag("mina\n    mina+0 //_P_ sg n, //\n"), "mina\n    mina+0 //_P_ pers ps1 sg nom  //\n");
  // A pronoun lemma without "+" ends at the first space after its seventh byte.
  EXPECT_EQ(Tag("see\n    see //_P_ sg n, //\n"), "see\n    see //_P_ dem sg nom  //\n");
  EXPECT_EQ(Tag("keegi\n    keegi+0 //_P_ sg n, //\n"), "keegi\n    keegi+0 //_P_ sg nom  //\n");
  EXPECT_EQ(Tag("vaid\n    vaid+0 //_D_ //\n"), "vaid\n    vaid+0 //_D_ //\n");
}

TEST_F(TaggerTest, Numerals) {
  EXPECT_EQ(Tag("viis\n    viis+0 //_N_ sg n, //\n"), "viis\n    viis+0 //_N_ card sg nom  l //\n");
  EXPECT_EQ(Tag("XIV\n    XIV+0 //_N_ //\n"), "XIV\n    XIV+0 //_N_ card #cap roman //\n");
  EXPECT_EQ(Tag("1998\n    1998+0 //_N_ //\n"), "1998\n    1998+0 //_N_ card digit //\n");
  EXPECT_EQ(Tag("12:30\n    12:30 //_N_ //\n"), "12:30\n    12:30 //_N_ card digit //\n");
  // V and M are Roman numerals unless the fourth byte says a word.
  EXPECT_EQ(Tag("VII\n    VII+0 //_N_ //\n"), "VII\n    VII+0 //_N_ card #cap roman //\n");
  EXPECT_EQ(Tag("Viies\n    Viies+0 //_N_ //\n"), "Viies\n    Viies+0 //_N_ card #cap l //\n");
}

TEST_F(TaggerTest, DerivationCliticAndHyphenTags) {
  EXPECT_EQ(Tag("lugemine\n    luge=mine+0 //_S_ sg n, //\n"),
            "lugemine\n    luge=mine+0 //_S_ com sg nom  #mine //\n");
  EXPECT_EQ(Tag("lugenud\n    luge=nud+0 //_A_ sg n, //\n"),
            "lugenud\n    luge=nud+0 //_A_ pos sg nom  #nud partic //\n");
  // The present participle of a consonant stem (kestev) is a participle too.
  EXPECT_EQ(Tag("kestva\n    kest=ev+0 //_A_ sg g, //\n"),
            "kestva\n    kest=ev+0 //_A_ pos sg gen  #ev partic //\n");
  // A participle whose stem is not that of a verb reading of the cohort,
  // before or after it, is marked #irreg; one that shares it is not.
  EXPECT_EQ(Tag("tehtud\n    teh=tud+0 //_A_ sg n, //\n    tege+ud //_V_ tud, //\n"),
            "tehtud\n    teh=tud+0 //_A_ pos sg nom  #tud partic #irreg //\n"
            "    tege+ud //_V_ main partic past imps  //\n    tege+ud //_V_ main indic impf imps neg  #FinV //\n");
  EXPECT_EQ(Tag("loetud\n    loe+ud //_V_ tud, //\n    loe=tud+0 //_A_ sg n, //\nx\n    teh=tud+0 //_A_ sg n, //\n"),
            "loetud\n    loe+ud //_V_ main partic past imps  //\n    loe+ud //_V_ main indic impf imps neg  #FinV //\n"
            "    loe=tud+0 //_A_ pos sg nom  #tud partic //\n"
            "x\n    teh=tud+0 //_A_ pos sg nom  #tud partic //\n");
  // Without "=", the suffixes line/nud/tud are found by themselves.
  EXPECT_EQ(Tag("ilusline\n    ilusline+0 //_A_ //\n"), "ilusline\n    ilusline+0 //_A_ pos #line //\n");
  // A suffix of 7 bytes or more, or one with "_", gives no tag.
  EXPECT_EQ(Tag("x\n    a=pikksuf+0 //_S_ //\n"), "x\n    a=pikksuf+0 //_S_ com //\n");
  EXPECT_EQ(Tag("x\n    a=b_c+0 //_S_ //\n"), "x\n    a=b_c+0 //_S_ com //\n");
  EXPECT_EQ(Tag("majagi\n    maja+0+gi //_S_ sg n, //\n"), "majagi\n    maja+0+gi //_S_ com sg nom  #gi //\n");
  EXPECT_EQ(Tag("majaki\n    maja+ki //_S_ sg n, //\n"), "majaki\n    maja+ki //_S_ com sg nom  #ki //\n");
  // Every nominal reading of a word ending in "-" gets "#- ".
  EXPECT_EQ(Tag("kooli-\n    kool+i //_S_ sg g, //\n    kool+0 //_S_ sg p, sg n, //\n"),
            "kooli-\n    kool+i //_S_ com sg gen  #- //\n    kool+0 //_S_ com sg part #- // \n"
            "    kool+0 //_S_ com sg nom #- // \n");
}

TEST_F(TaggerTest, AdpositionsWithTheirGovernment) {
  EXPECT_EQ(Tag("alla\n    alla+0 //_K_ //\n"), "alla\n    alla+0 //_K_ #Post //\n");
  // Two alternatives: two readings, the first alternative first.
  EXPECT_EQ(Tag("\xFCle\n    \xFCle+0 //_K_ //\n"),
            "\xFCle\n    \xFCle+0 //_K_ #Post //\n    \xFCle+0 //_K_ #Preg //\n");
  EXPECT_EQ(Tag("koos\n    koos+0 //_K_ //\n"),
            "koos\n    koos+0 //_K_ #Postkom //\n    koos+0 //_K_ #Prekom //\n    koos+0 //_K_ #Pre //\n");
  // Government tags already in the reading are removed first.
  EXPECT_EQ(Tag("alla\n    alla+0 //_K_ #Preg //\n"), "alla\n    alla+0 //_K_ #Post //\n");
  // A capitalised adposition carries "#cap " once on every reading.
  EXPECT_EQ(Tag("\xDCle\n    \xFCle+0 //_K_ //\n"),
            "\xDCle\n    \xFCle+0 //_K_ #Post #cap //\n    \xFCle+0 //_K_ #Preg #cap //\n");
  EXPECT_EQ(Tag("peale\n    peale+0 //_K_ //\n"), "peale\n    peale+0 //_K_ //\n");
}

TEST_F(TaggerTest, ConjunctionRows) {
  EXPECT_EQ(Tag("kui\n    kui+0 //_J_ //\n"), "kui\n    kui+0 //_J_ crd sub //\n");
  EXPECT_EQ(Tag("v\xF5i\n    v\xF5i+0 //_J_ //\n"), "v\xF5i\n    v\xF5i+0 //_J_ crd //\n");
  EXPECT_EQ(Tag("aga\n    aga+0 //_J_ //\n"), "aga\n    aga+0 //_J_ crd //\n");
  EXPECT_EQ(Tag("et\n    et+0 //_J_ //\n"), "et\n    et+0 //_J_ sub //\n");
  EXPECT_EQ(Tag("just_kui\n    just_kui+0 //_J_ //\n"), "just_kui\n    just_kui+0 //_J_ sub //\n");
  EXPECT_EQ(Tag("siis\n    siis+0 //_J_ //\n"), "siis\n    siis+0 //_J_ //\n");
}

TEST_F(TaggerTest, PunctuationAndWordLineMarks) {
  EXPECT_EQ(Tag(".\n    . //_Z_ //\n"), "$.\n    . //_Z_ Fst //\n");
  EXPECT_EQ(Tag("...\n    ... //_Z_ //\n"), "$...\n    . //_Z_ Fst //\n");
  EXPECT_EQ(Tag("-\n    - //_Z_ //\n"), "$-\n    - //_Z_ Dsh //\n");
  EXPECT_EQ(Tag("<<\n    << //_Z_ //\n"), "$$<<\n    << //_Z_ Oqu //\n");
  EXPECT_EQ(Tag(">>\n    >> //_Z_ //\n"), "$>>\n    >> //_Z_ Cqu //\n");
  EXPECT_EQ(Tag("\xAE\n    \xAE //_Z_ //\n"), "$\xAE\n    \xAE //_Z_ Oqu //\n");
  // No entry for the first byte: passed on as it came.
  EXPECT_EQ(Tag("!\n    ! //_Z_ //\n"), "$!\n    ! //_Z_ //\n");
  EXPECT_EQ(Tag("$LL$\n    $LL$ //_Z_ //\n"), "$LL$\n    $LL$ //_Z_ //\n");
  // A hyphen inside a word line is no punctuation mark.
  EXPECT_EQ(Tag("-ga\n    -ga //_Z_ //\n"), "-ga\n    - //_Z_ Dsh //\n");
  EXPECT_EQ(Tag("- x\n"), "$- x\n");
}

TEST_F(TaggerTest, CohortWordAndFlagsCarryAcrossCalls) {
  EXPECT_EQ(Tag("<Tartu> y\n"), "$$<Tartu> y\n");
  EXPECT_EQ(tagger.CohortWord(), "<Tartu>");
  EXPECT_EQ(Tag("a<b>c\n"), "a<b>c\n");
  EXPECT_EQ(tagger.CohortWord(), "b");
  EXPECT_EQ(Tag("Tartu"), "Tartu\n");
  EXPECT_TRUE(tagger.Capital());
  // The readings arrive in a later call; the capital flag still holds.
  EXPECT_EQ(Tag("    Tartu+0 //_H_ sg n, //"), "    Tartu+0 //_S_ prop sg nom  #cap //\n");
  EXPECT_EQ(Tag("\xD5un\n"), "\xD5un\n");
  EXPECT_TRUE(tagger.Capital());
  EXPECT_EQ(Tag("\n"), "\n");
  EXPECT_FALSE(tagger.Capital());
}

TEST_F(TaggerTest, ReadingWithoutSlashOrClosing) {
  EXPECT_EQ(Tag("xyz\n    ####\n"), "xyz\n    ####\n");
  EXPECT_EQ(Tag("xyz\n    anything at all\n"), "xyz\n    ####\n");
  // Missing closing "//": one is put in.
  EXPECT_EQ(Tag("maja\n    maja+0 //_S_ sg n\n"), "maja\n    maja+0 //_S_ com sg nom // \n");
  // Commas only after the code list: kept as one reading.
  EXPECT_EQ(Tag("x\n    x+0 //_S_ // *a,b,c\n"), "x\n    x+0 //_S_ com // *a,b,c\n");
}

TEST_F(TaggerTest, DefaultInsertionPoint) {
  std::string r = "    x+0 //_S_ sg n // *m\n";
  InsertTag(r, std::string::npos, 0, "T ");
  EXPECT_EQ(r, "    x+0 //_S_ sg n // T *m\n");
  r = "    x+0 //_S_ sg n #Correct!\n";
  InsertTag(r, std::string::npos, 0, "T ");
  EXPECT_EQ(r, "    x+0 //_S_ sg n T #Correct!\n");
  r = "    x+0 //_S_ sg n @X\n";
  InsertTag(r, std::string::npos, 0, "T ");
  EXPECT_EQ(r, "    x+0 //_S_ sg n T @X\n");
  r = "    x+0 //_S_ sg n\n";
  InsertTag(r, std::string::npos, 0, "T ");
  EXPECT_EQ(r, "    x+0 //_S_ sg nT \n");
  r = "    x+0 //_S_";
  InsertTag(r, std::string::npos, 0, "T ");
  EXPECT_EQ(r, "    x+0 //_S_T ");
  r = "abcdef";
  InsertTag(r, 2, 3, "XY");
  EXPECT_EQ(r, "abXYf");
  InsertTag(r, 4, 99, "Z");
  EXPECT_EQ(r, "abXYZ");
}

// ---- verb readings ----

TEST_F(TaggerTest, VerbSingleCodeIsFinite) {
  EXPECT_EQ(Tag("teeb\n    tege+b //_V_ b, //\n"), "teeb\n    tege+b //_V_ main indic pres ps3 sg ps af  #FinV //\n");
  // A supine is not finite.
  EXPECT_EQ(Tag("tegema\n    tege+ma //_V_ ma, //\n"), "tegema\n    tege+ma //_V_ main sup ps ill  //\n");
  // A code not in the table stays; a mood word still makes it finite.
  EXPECT_EQ(Tag("x\n    tege+xyz //_V_ xyz, //\n"), "x\n    tege+xyz //_V_ xyz  //\n");
  EXPECT_EQ(Tag("x\n    tege+q //_V_ indic, //\n"), "x\n    tege+q //_V_ indic  #FinV //\n");
}

TEST_F(TaggerTest, VerbGuWithAndWithoutNegation) {
  EXPECT_EQ(Tag("tehku\n    tege+gu //_V_ gu, //\n"),
            "tehku\n"
            "    tege+gu //_V_ main imper pres sg ps af  #FinV //\n"
            "    tege+gu //_V_ main imper pres ps3 pl ps af  #FinV //\n"
            "    tege+gu //_V_ main imper pres ps3 sg ps neg  #FinV //\n"
            "    tege+gu //_V_ main imper pres ps3 pl ps neg  #FinV //\n");
  EXPECT_EQ(Tag("tehku\n    tege+gu //_V_ neg gu, //\n"),
            "tehku\n"
            "    tege+gu //_V_ main imper pres sg ps neg  #FinV //\n"
            "    tege+gu //_V_ main imper pres ps3 pl ps neg  #FinV //\n");
}

TEST_F(TaggerTest, VerbNegatedParticipleAndImperative) {
  EXPECT_EQ(Tag("teinud\n    tege+nud //_V_ neg nud, //\n"),
            "teinud\n    tege+nud //_V_ main indic impf ps  neg #FinV //\n");
  // Without negation the participle comes first, then the negated past.
  EXPECT_EQ(Tag("teinud\n    tege+nud //_V_ nud, //\n"),
            "teinud\n    tege+nud //_V_ main partic past ps  //\n    tege+nud //_V_ main indic impf ps neg  #FinV //\n");
  EXPECT_EQ(Tag("tee\n    tege+0 //_V_ o, //\n"),
            "tee\n"
            "    tege+0 //_V_ main imper pres ps2 sg ps af  #FinV //\n"
            "    tege+0 //_V_ main imper pres ps2 sg ps neg  #FinV //\n"
            "    tege+0 //_V_ main indic pres ps neg  #FinV //\n");
  EXPECT_EQ(Tag("tee\n    tege+0 //_V_ neg o, //\n"), "tee\n    tege+0 //_V_ main indic pres ps neg  #FinV //\n");
  EXPECT_EQ(Tag("tehtud\n    tege+tud //_V_ neg tud, //\n"),
            "tehtud\n    tege+tud //_V_ main indic impf imps  neg #FinV //\n");
}

TEST_F(TaggerTest, VerbCodePairsLeftWhole) {
  EXPECT_EQ(Tag("teevad\n    tege+b //_V_ b, vad, //\n"),
            "teevad\n"
            "    tege+b //_V_ main indic pres ps3 sg ps af  #FinV //\n"
            "    tege+b //_V_ main indic pres ps3 pl ps af  #FinV //\n");
  EXPECT_EQ(Tag("tehta\n    tege+ta //_V_ da, ta, //\n"),
            "tehta\n"
            "    tege+ta //_V_ main indic pres imps neg #FinV //\n"
            "    tege+ta //_V_ main inf //\n");
  // Other code lists are split, each code read on its own.
  EXPECT_EQ(Tag("tegid\n    tege+sid //_V_ sid, s, //\n"),
            "tegid\n"
            "    tege+sid //_V_ main indic impf ps2 sg ps af #FinV // \n"
            "    tege+sid //_V_ main indic impf ps3 pl ps af #FinV // \n"
            "    tege+sid //_V_ main indic impf ps3 sg ps af #FinV // \n");
}

TEST_F(TaggerTest, ChainRoles) {
  EXPECT_EQ(Tag("on\n    ole+0 //_V_ b, //\n"),
            "on\n"
            "    ole+0 //_V_ aux indic pres ps3 sg ps af  #FinV //\n"
            "    ole+0 //_V_ main indic pres ps3 sg ps af  #FinV //\n");
  EXPECT_EQ(Tag("peab\n    pida+b //_V_ b, //\n"), "peab\n    pida+b //_V_ mod indic pres ps3 sg ps af  #FinV #sup //\n");
  EXPECT_EQ(Tag("saab\n    saa+b //_V_ b, //\n"), "saab\n    saa+b //_V_ mod indic pres ps3 sg ps af  #FinV #inf //\n");
  EXPECT_EQ(Tag("paistab\n    paist+b //_V_ b, //\n"),
            "paistab\n    paist+b //_V_ mod indic pres ps3 sg ps af  #FinV #vat //\n");
  for (const char* l : {"v\xF5i", "tohti"}) {
    std::string lemma = l;
    EXPECT_EQ(Tag("x\n    " + lemma + "+b //_V_ b, //\n"),
              "x\n    " + lemma + "+b //_V_ main indic pres ps3 sg ps af  #FinV //\n    " + lemma +
                  "+b //_V_ mod indic pres ps3 sg ps af  #FinV #inf //\n");
  }
  for (const char* l : {"n\xE4i", "tundu"}) {
    std::string lemma = l;
    EXPECT_EQ(Tag("x\n    " + lemma + "+b //_V_ b, //\n"),
              "x\n    " + lemma + "+b //_V_ main indic pres ps3 sg ps af  #FinV //\n    " + lemma +
                  "+b //_V_ mod indic pres ps3 sg ps af  #FinV #vat //\n");
  }
  EXPECT_EQ(Tag("\xE4rge\n    \xE4r+ge //_V_ ge, //\n"),
            "\xE4rge\n"
            "    \xE4r+ge //_V_ aux imper pres ps2 pl ps af  #FinV //\n"
            "    \xE4r+ge //_V_ aux imper pres ps2 pl ps neg  #FinV //\n");
  // A reading without " main " gets no role.
  EXPECT_EQ(Tag("x\n    ole+0 //_V_ xyz, //\n"), "x\n    ole+0 //_V_ xyz  //\n");
}

TEST_F(TaggerTest, NegationWordsAndAra) {
  EXPECT_EQ(Tag("\xE4ra\n    \xE4ra+0 //_V_ neg o, //\n"), "\xE4ra\n    \xE4ra+0 //_V_ aux imper pres ps2 sg ps neg  //\n");
  EXPECT_EQ(Tag("ei\n    ei+0 //_V_ neg, //\n"), "ei\n    ei+0 //_V_ aux neg  //\n");
  EXPECT_EQ(Tag("Ei\n    ei+0 //_V_ neg, //\n"), "Ei\n    ei+0 //_V_ aux neg  #cap //\n");
}

TEST_F(TaggerTest, ParticipleInNominalReadingLosesFiniteMark) {
  EXPECT_EQ(Tag("x\n    tege=tud+0 //_A_ #FinV //\n"), "x\n    tege=tud+0 //_A_ pos #tud partic //\n");
}

TEST(SecondAnalysisTest, MarksReadingsUpToPunctuation) {
  EXPECT_EQ(MarkSecondAnalysis("s\xF5na\n    s\xF5na+0 //_S_ com sg nom // \n    x+0 //_V_ b //\n"),
            "s\xF5na\n    s\xF5na+0 //_S_ com sg nom #? // \n    x+0 //_V_ b #? //\n");
  EXPECT_EQ(MarkSecondAnalysis("a\n    a+0 //_S_ x //\n    b //_Z_ //\n    c+0 //_S_ y //\n"),
            "a\n    a+0 //_S_ x #? //\n    b //_Z_ //\n    c+0 //_S_ y //\n");
  EXPECT_EQ(MarkSecondAnalysis("a\n    a+0 //_S_ unclosed\n"), "a\n    a+0 //_S_ unclosed\n");
  EXPECT_EQ(MarkSecondAnalysis(""), "");
}

}  // namespace
}  // namespace vaarikas::morph
