6 32# Sentence automaton. States: 0 between sentences, 1 in a sentence,
  2 end punctuation held, 3 ambiguous abbreviation held, 4 the same as the
  first token of a sentence, 5 done. Output symbols: 0 nothing, 1 hold,
  2 token, 3 sentence start and token, 6 token and sentence end,
  7 sentence end, 9 sentence end, start and token ;
0
5*
0# between sentences ;
  0=3/1# any token opens a sentence ;
  2=0/5;3=0/5# end of the input ;
  4=0/0# paragraph break ;
  11=1/4;19=1/4;24=1/4# ordinal or closing abbreviation: wait and see *
1# in a sentence, nothing held ;
  0=2/1# ordinary token ;
  2=7/5;3=7/5# end of the input closes the sentence ;
  4=7/0# so does a paragraph break ;
  12=1/2;13=1/2;14=1/2;15=1/2;16=1/2# end punctuation: hold it ;
  11=1/3;19=1/3;24=1/3# ordinal or closing abbreviation: hold it *
2# end punctuation held ;
  0=6,3/1# anything else begins a new sentence ;
  2=6,0/5;3=6,0/5# end of the input ;
  4=6,0/0# paragraph break ;
  12=2,1/2;13=2,1/2;14=2,1/2;15=2,1/2;16=2,1/2# more end punctuation ;
  10=2,1/2;28=2,1/2# closing bracket or quote stays in the sentence ;
  29=2,2/1;30=2,2/1# comma or colon: the sentence goes on ;
  7=2,2/1;23=2,2/1# lower-case word: the sentence goes on ;
  11=6,1/4;19=6,1/4;24=6,1/4# ordinal or abbreviation opens the next one *
3# ordinal or closing abbreviation held ;
  0=6,3/1# anything else: it ended the sentence ;
  2=6,0/5;3=6,0/5# end of the input ;
  4=6,0/0# paragraph break ;
  7=2,2/1;23=2,2/1;29=2,2/1;30=2,2/1;31=2,2/1# lower case, comma, number: go on ;
  11=2,1/3;19=2,1/3;24=2,1/3# another one: keep waiting ;
  12=2,1/2;13=2,1/2;14=2,1/2;15=2,1/2;16=2,1/2# end punctuation after it ;
  10=2,1/2;28=2,1/2# closing bracket or quote *
4# the same, as the first token of a sentence ;
  0=3,9/1# anything else: a sentence of its own ;
  2=3,7/5;3=3,7/5# end of the input ;
  4=3,7/0# paragraph break ;
  7=3,2/1;23=3,2/1;29=3,2/1;30=3,2/1;31=3,2/1# lower case, comma, number: go on ;
  11=3,1/3;19=3,1/3;24=3,1/3# another one: keep waiting ;
  12=3,1/2;13=3,1/2;14=3,1/2;15=3,1/2;16=3,1/2# end punctuation after it ;
  10=3,1/2;28=3,1/2# closing bracket or quote *
