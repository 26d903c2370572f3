// Printing syntax trees back to source text.  The engine keeps no source
// after compilation, so a function's text and the operand named in an error
// message are regenerated from the tree: plain and unindented, one space
// around binary operators, one statement per line, no grouping parentheses
// (the tree has none to give back).
#ifndef SCRIPTCORE_ENGINE_PRINT_H
#define SCRIPTCORE_ENGINE_PRINT_H

struct AST_Node;
struct FunctionCode;
struct JS_Name;
struct JS_String;

// Each appends to out and returns true; false when memory runs out, with out
// left as it was.  A null node prints nothing.  Neither recurses on the
// native stack, so a tree of any depth prints safely.

// The statement form: normally ends with a line break; an expression node
// prints as its expression followed by ";\n".
bool PrintStatement(const AST_Node *node, JS_String *out);

// The expression form, without terminator.
bool PrintExpression(const AST_Node *node, JS_String *out);

// "function ", the name when there is one, "(", the parameter names joined by
// ", ", ") ", then the body block.  Without code only the head with an empty
// parameter list is printed.
bool PrintFunction(const JS_Name *name, const FunctionCode *code, JS_String *out);

#endif
