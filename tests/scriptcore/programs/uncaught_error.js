// exit: 3
// An Error object made by the script and not caught: the report gives its
// class, then its name and message lines.
function validate(level) {
	if (level > 3) throw new RangeError("level " + level + " is above 3");
	return level;
}
print(validate(2));
print(validate(5));
