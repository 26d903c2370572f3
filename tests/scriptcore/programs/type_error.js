// exit: 3
// An engine TypeError that no script catches: the report names the error's
// class, its name and its message, each line ended by CR LF.
var settings = null;
var level = 2;
if (level > 1)
	level = settings.verbose;
