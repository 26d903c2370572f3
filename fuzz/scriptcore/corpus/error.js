ÿa = ;
b = "unterminated
