#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

#include "disamb/disamb.h"
#include "disamb/state.h"
#include "tests/disamb/helpers.h"

namespace vaarikas::disamb {
namespace {

// A cohort: word line and one reading per analysis ("S x" gives the reading
// line "    word+0 //_S_ x //").
std::string W(const std::string& word, std::initializer_list<const char*> analyses) {
  std::string out = word + "\n";
  for (const char* a : analyses) {
    std::string an = a;
    if (an == "####") {
      out += "    ####\n";
      continue;
    }
    out += "    " + word + "+0 //_" + an.substr(0, 1) + "_ " + an.substr(1) + " //\n";
  }
  return out;
}

// What the writer gives for such a cohort (analyses kept, in order).
std::string Out(const std::string& word, std::initializer_list<const char*> analyses) {
  std::string out = word + "\n";
  for (const char* a : analyses) {
    std::string an = a;
    out += "    " + word + "+0 //_" + an.substr(0, 1) + "_ " + an.substr(1) + " // \n";
  }
  return out;
}

const char kEnd[] = "$LL$\n    $LL$ //_Z_ //\n";
const char kEndOut[] = "$LL$\n    $LL$ //_Z_ // \n";

const char kSets[] =
    "(DET det)\n(ADV adv)\n(S _S_)\n(V _V_)\n(END >>>)\n(START <<<)\n(COMMA \",)\n(TWO (a) (b))\n"
    "(CLBC **CLB-C)\n(CLB **CLB)\n";

class Engine : public ::testing::Test {
 protected:
  void TearDown() override {
    FreeSentence();
    FreeRules();
    SetOptions(false, false, nullptr);
  }
  // Loads a grammar with the given sections and runs it over the input.
  std::string Dis(const std::string& cb, const std::string& da, const std::string& input,
                  const std::string& heur = "") {
    std::string rules = std::string("SENTENCE-DELIMITERS\n($LL$)\nSET-DECLARATIONS\n") + kSets +
                        "CLAUSE-BOUNDARY-CONSTRAINTS\n" + cb + "DISAMBIGUATION-CONSTRAINTS\n" + da;
    if (!heur.empty()) rules += "HEURISTIC-DISAMBIGUATION-CONSTRAINTS\n" + heur;
    std::string m;
    EXPECT_EQ(test::LoadRules(rules, &m, false, !heur.empty()), 0) << m;
    return test::RunStream(input, true);
  }
};

TEST_F(Engine, RemoveWhenTheContextHolds) {
  std::string in = W("see", {"Pdet"}) + W("maja", {"Sx", "Vy"}) + kEnd;
  EXPECT_EQ(Dis("", "(@w =0 (_V_) (-1 DET))\n", in), Out("see", {"Pdet"}) + Out("maja", {"Sx"}) + kEndOut);
  EXPECT_EQ(Dis("", "(@w =0 (_V_) (-1 ADV))\n", in), Out("see", {"Pdet"}) + Out("maja", {"Sx", "Vy"}) + kEndOut);
  // Every reading in the target: never touched, whatever the operator.
  EXPECT_EQ(Dis("", "(@w =0 (x) (-1 DET))\n(@w =! (x) (-1 DET))\n",
                W("see", {"Pdet"}) + W("maja", {"Sx", "Vx y"}) + kEnd),
            Out("see", {"Pdet"}) + Out("maja", {"Sx", "Vx y"}) + kEndOut);
}

TEST_F(Engine, SelectOperators) {
  std::string in = W("see", {"Pdet"}) + W("maja", {"Sx", "Vy", "Vz"}) + kEnd;
  EXPECT_EQ(Dis("", "(@w =! (_V_) (-1 DET))\n", in), Out("see", {"Pdet"}) + Out("maja", {"Vy", "Vz"}) + kEndOut);
  EXPECT_EQ(Dis("", "(@w =!! (_V_) (-1 DET))\n", in), Out("see", {"Pdet"}) + Out("maja", {"Vy", "Vz"}) + kEndOut);
  EXPECT_EQ(Dis("", "(@w =!! (_V_) (-1 ADV))\n", in), Out("see", {"Pdet"}) + Out("maja", {"Sx"}) + kEndOut);
  // A later constraint sees the readings an earlier one left.
  EXPECT_EQ(Dis("", "(@w =0 (_V_) )\n(@w =0 (x) )\n", W("maja", {"Sx", "Vy", "Sz"}) + kEnd),
            Out("maja", {"Sz"}) + kEndOut);
}

TEST_F(Engine, Domains) {
  std::string in = W("Maja", {"Sx", "Vy"}) + W("maja2", {"Sx", "Vy"}) + kEnd;
  EXPECT_EQ(Dis("", "(\"maja\" =0 (_V_) )\n", in), Out("Maja", {"Sx"}) + Out("maja2", {"Sx", "Vy"}) + kEndOut);
  EXPECT_EQ(Dis("", "(\"Maja\" =0 (_V_) )\n", in), Out("Maja", {"Sx"}) + Out("maja2", {"Sx", "Vy"}) + kEndOut);
  EXPECT_EQ(Dis("", "(\"MAJA\" =0 (_V_) )\n", in), Out("Maja", {"Sx", "Vy"}) + Out("maja2", {"Sx", "Vy"}) + kEndOut);
}

TEST_F(Engine, NegationAndTheSentenceEdge) {
  std::string in = W("maja", {"Sx", "Vy"}) + kEnd;
  EXPECT_EQ(Dis("", "(@w =0 (_V_) (NOT 3 DET))\n", in), Out("maja", {"Sx"}) + kEndOut);
  EXPECT_EQ(Dis("", "(@w =0 (_V_) (3 DET))\n", in), Out("maja", {"Sx", "Vy"}) + kEndOut);
  EXPECT_EQ(Dis("", "(@w =0 (_V_) (NOT *1 DET))\n", in), Out("maja", {"Sx"}) + kEndOut);
  EXPECT_EQ(Dis("", "(@w =0 (_V_) (NOT *-1 DET))\n", W("see", {"Pdet"}) + in),
            Out("see", {"Pdet"}) + Out("maja", {"Sx", "Vy"}) + kEndOut);
}

TEST_F(Engine, CarefulConditions) {
  std::string tail = W("b", {"Sa b", "Sc"}) + kEnd;
  EXPECT_EQ(Dis("", "(@w =0 (_V_) (1C TWO))\n", W("maja", {"Sx", "Vy"}) + tail),
            Out("maja", {"Sx", "Vy"}) + Out("b", {"Sa b", "Sc"}) + kEndOut);
  EXPECT_EQ(Dis("", "(@w =0 (_V_) (1 TWO))\n", W("maja", {"Sx", "Vy"}) + tail),
            Out("maja", {"Sx"}) + Out("b", {"Sa b", "Sc"}) + kEndOut);
  EXPECT_EQ(Dis("", "(@w =0 (_V_) (1C TWO))\n", W("maja", {"Sx", "Vy"}) + W("b", {"Sa", "Sb"}) + kEnd),
            Out("maja", {"Sx"}) + Out("b", {"Sa", "Sb"}) + kEndOut);
}

TEST_F(Engine, MarkupCohortsAreSkippedWhenCounting) {
  std::string tail = W("see", {"Pdet"}) + kEnd;
  EXPECT_EQ(Dis("", "(@w =0 (_V_) (1 DET))\n", W("maja", {"Sx", "Vy"}) + "$<br>\n" + tail),
            Out("maja", {"Sx"}) + "$<br>\n" + Out("see", {"Pdet"}) + kEndOut);
  EXPECT_EQ(Dis("", "(@w =0 (_V_) (1 DET))\n", W("maja", {"Sx", "Vy"}) + "$,\n    , //_Z_ //\n" + tail),
            Out("maja", {"Sx", "Vy"}) + "$,\n    , //_Z_ // \n" + Out("see", {"Pdet"}) + kEndOut);
}

TEST_F(Engine, ScanningAndClauseModes) {
  const std::string et = "et\n    et+0 //_J_ sub // **CLB\n";
  const std::string etOut = "et\n    et+0 //_J_ sub //  **CLB \n";
  std::string in = W("maja", {"Sx", "Vy"}) + et + W("see", {"Pdet"}) + kEnd;
  std::string kept = Out("maja", {"Sx", "Vy"}) + etOut + Out("see", {"Pdet"}) + kEndOut;
  std::string removed = Out("maja", {"Sx"}) + etOut + Out("see", {"Pdet"}) + kEndOut;
  // Offset 2 lands beyond the clause boundary: blocked with CLB.
  EXPECT_EQ(Dis("", "(@w =0 (_V_) (2 DET))\n", in), removed);
  EXPECT_EQ(Dis("", "(@w =0 (_V_) CLB (2 DET))\n", in), kept);
  EXPECT_EQ(Dis("", "(@w =0 (_V_) (*1 DET))\n", in), removed);
  EXPECT_EQ(Dis("", "(@w =0 (_V_) (*1 DET) CLB)\n", in), kept);
  // The end cohort: reachable by a scan without clause mode only.
  std::string in2 = W("maja", {"Sx", "Vy"}) + W("x", {"Sx"}) + kEnd;
  EXPECT_EQ(Dis("", "(@w =0 (_V_) (*1 END))\n", in2), Out("maja", {"Sx"}) + Out("x", {"Sx"}) + kEndOut);
  EXPECT_EQ(Dis("", "(@w =0 (_V_) CLB (*1 END))\n", in2), Out("maja", {"Sx", "Vy"}) + Out("x", {"Sx"}) + kEndOut);
  // Walking left with a clause mode reaches the first cohort, never the start.
  std::string in3 = W("see", {"Pdet"}) + W("maja", {"Sx", "Vy"}) + kEnd;
  EXPECT_EQ(Dis("", "(@w =0 (_V_) (*-1 START))\n", in3), Out("see", {"Pdet"}) + Out("maja", {"Sx"}) + kEndOut);
  EXPECT_EQ(Dis("", "(@w =0 (_V_) CLB (*-1 START))\n", in3),
            Out("see", {"Pdet"}) + Out("maja", {"Sx", "Vy"}) + kEndOut);
  EXPECT_EQ(Dis("", "(@w =0 (_V_) CLB (*-1 DET))\n", in3), Out("see", {"Pdet"}) + Out("maja", {"Sx"}) + kEndOut);
}

TEST_F(Engine, LinkedConditions) {
  std::string in = W("maja", {"Sx", "Vy"}) + W("see", {"Pdet"}) + W("ka", {"Dadv"}) + kEnd;
  EXPECT_EQ(Dis("", "(@w =0 (_V_) (1 DET R1) (R1 ADV))\n", in),
            Out("maja", {"Sx"}) + Out("see", {"Pdet"}) + Out("ka", {"Dadv"}) + kEndOut);
  EXPECT_EQ(Dis("", "(@w =0 (_V_) (1 DET R1) (R1 DET))\n", in),
            Out("maja", {"Sx", "Vy"}) + Out("see", {"Pdet"}) + Out("ka", {"Dadv"}) + kEndOut);
  // A linked walk stops at the target: it cannot test it or go past it.
  std::string in2 = W("see", {"Pdet"}) + W("maja", {"Sx", "Vy"}) + W("ka", {"Dadv"}) + kEnd;
  EXPECT_EQ(Dis("", "(@w =0 (_V_) (-1 DET R1) (R1 S))\n", in2),
            Out("see", {"Pdet"}) + Out("maja", {"Sx", "Vy"}) + Out("ka", {"Dadv"}) + kEndOut);
  // Only the last step of a walk uses the stops.
  EXPECT_EQ(Dis("", "(@w =0 (_V_) (-1 DET R2) (R2 ADV))\n", in2),
            Out("see", {"Pdet"}) + Out("maja", {"Sx"}) + Out("ka", {"Dadv"}) + kEndOut);
  EXPECT_EQ(Dis("", "(@w =0 (_V_) (-1 DET *R1) (*R1 ADV))\n", in2),
            Out("see", {"Pdet"}) + Out("maja", {"Sx", "Vy"}) + Out("ka", {"Dadv"}) + kEndOut);
}

TEST_F(Engine, ClauseBoundaryMarks) {
  std::string in = "$,\n    , //_Z_ //\n" + W("et", {"Jsub"}) + W("maja", {"Sx", "Vy"}) + kEnd;
  EXPECT_EQ(Dis("(@w=**CLB (*) (-1 COMMA))\n", "", in),
            "$,\n    , //_Z_ // \net\n    et+0 //_J_ sub // **CLB \n" + Out("maja", {"Sx", "Vy"}) + kEndOut);
  // A possible boundary on one reading only; no readings are removed.
  EXPECT_NE(Dis("(@w=**CLB-C (_V_) (-1 DET))\n", "", W("see", {"Pdet"}) + W("maja", {"Sx", "Vy"}) + kEnd).find(
                "maja\n    maja+0 //_S_ x // \n    maja+0 //_V_ y // **CLB-C \n"),
            std::string::npos);
}

TEST_F(Engine, PossibleBoundaryBecomesCertain) {
  std::string rules = std::string("SENTENCE-DELIMITERS\n($LL$)\nSET-DECLARATIONS\n") + kSets +
                      "(SUB sub)\nCLAUSE-BOUNDARY-CONSTRAINTS\n(@w=**CLB (*) (0 CLBC))\n(@w=**CLB-C (*) (0 SUB))\n"
                      "DISAMBIGUATION-CONSTRAINTS\n(@w =0 (_V_) (-1 CLB))\n";
  ASSERT_EQ(test::LoadRules(rules), 0);
  test::InStream in(W("et", {"Jsub"}) + W("maja", {"Sx", "Vy"}) + kEnd);
  bool error = false;
  ReadSentence(in.get(), nullptr, &error);
  RunPasses();
  const Sentence& s = CurrentSentence();
  EXPECT_EQ(s.cohorts[1].readings[0].mark, 1);
  EXPECT_EQ(s.cohorts[1].readings[0].text, "et+0 / _J_ sub // \"et\"  **CLB ");
  // The clause-boundary tag is matched by the disambiguation pass.
  EXPECT_EQ(s.cohorts[2].readings.size(), 1u);
}

TEST_F(Engine, RemovalLowersTheCountOnlyForCountedReadings) {
  EXPECT_EQ(Dis("", "(@w =! (_S_) )\n", W("maja", {"Sx", "Vy", "####"}) + kEnd), Out("maja", {"Sx"}) + kEndOut);
}

TEST_F(Engine, EndCohortIsRecognisedByPosition) {
  std::string in = W("a", {"Sx", "Vy"}) + ">>>\n    >>> //_Z_ //\n" + W("b", {"Sx", "Vy"}) + kEnd;
  EXPECT_EQ(Dis("", "(@w =0 (_V_) )\n", in),
            Out("a", {"Sx"}) + ">>>\n    >>> //_Z_ // \n" + Out("b", {"Sx"}) + kEndOut);
}

TEST_F(Engine, ManyReadingsAreClassifiedInFull) {
  std::string in = "w\n";
  for (int i = 1; i <= 30; ++i) in += "    w+0 //_S_ t" + std::to_string(i) + " //\n";
  in += kEnd;
  std::string out = Dis("", "(@w =0 (t30) )\n(@w =0 (t29) )\n", in);
  EXPECT_EQ(out.find("t30"), std::string::npos);
  EXPECT_EQ(out.find("t29"), std::string::npos);
  EXPECT_NE(out.find("t28"), std::string::npos);
}

TEST_F(Engine, HeuristicPassOnlyWithItsSwitch) {
  std::string in = W("maja", {"Sx", "Vy"}) + kEnd;
  EXPECT_EQ(Dis("", "", in, "(@w =0 (_V_) )\n"), Out("maja", {"Sx"}) + kEndOut);
  std::string rules = std::string("SENTENCE-DELIMITERS\n($LL$)\nSET-DECLARATIONS\n") + kSets +
                      "CLAUSE-BOUNDARY-CONSTRAINTS\nDISAMBIGUATION-CONSTRAINTS\n"
                      "HEURISTIC-DISAMBIGUATION-CONSTRAINTS\n(@w =0 (_V_) )\n";
  ASSERT_EQ(test::LoadRules(rules, nullptr, false, false), 0);
  EXPECT_EQ(test::RunStream(in, true), Out("maja", {"Sx", "Vy"}) + kEndOut);
}

}  // namespace
}  // namespace vaarikas::disamb
