// exit: 3
// Any other object that is not caught is reported by its class name.
function Thing() { this.what = "thing"; }
print("throwing");
throw new Thing();
