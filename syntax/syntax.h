// The syntactic analyser: adds syntactic function tags ("@SUBJ", "@OBJ",
// ...) and clause-boundary marks to a disambiguated cohort stream.
#pragma once

namespace vaarikas {

// Runs the analyser over one input file with the given syntax rule file.
// Option letters: "i" read standard input and write "default.npx"; "k" the
// rule file is plain text (otherwise scrambled); "H" heuristics up to level
// 10; "h" all heuristics. The output goes beside the input, named like the
// input path up to its first "." followed by ".snx". Messages go to
// "synerrors.txt" in the current directory; the process's own standard
// error is left alone. Returns 0 on success, 1 on any failure.
int SyntaxRun(const char* rules, const char* input, const char* letters);

}  // namespace vaarikas
