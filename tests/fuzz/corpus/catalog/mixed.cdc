a,b
"x"  ,"y"
"unterminated

   "q"uo"te"