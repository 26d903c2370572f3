/*
 * Syntax tree records made by the compiler.
 *
 * Every node is one record: a kind, a small operator word whose meaning
 * depends on the kind, up to four owned children, and a sibling link for the
 * lists a node can stand in (statements of a block, arguments, elements,
 * properties, switch clauses, catch clauses).  The table below gives each
 * kind's fields; children not listed are null.
 *
 *   NODE_LITERAL        op: LITERAL_*; number / boolean (number != 0) /
 *                       string (counted) / regexp text (string, counted)
 *   NODE_ARRAY_LITERAL  child[0] elements (NODE_HOLE for an elision); count
 *   NODE_HOLE           an empty array slot
 *   NODE_OBJECT_LITERAL child[0] NODE_PROPERTY list; count
 *   NODE_PROPERTY       name (counted), child[0] value
 *   NODE_IDENTIFIER     name (counted)
 *   NODE_THIS
 *   NODE_DOT            child[0] object, name (counted)
 *   NODE_INDEX          child[0] object, child[1] index
 *   NODE_CALL           child[0] callee, child[1] arguments; count
 *   NODE_NEW            child[0] constructor, child[1] arguments; count;
 *                       op 1 when an argument list was written
 *   NODE_FUNCTION       name (counted, or null), code (counted)
 *   NODE_INCDEC         child[0] operand; op INCDEC_INCREMENT | INCDEC_PREFIX
 *   NODE_PLUS_MINUS     child[0] operand; op 1 for plus
 *   NODE_BITWISE_NOT, NODE_LOGICAL_NOT, NODE_VOID, NODE_DELETE, NODE_TYPEOF
 *                       child[0] operand
 *   NODE_ADD            child[0] left, child[1] right; op 1 for "+="
 *   NODE_ARITHMETIC     left, right; op 3 "-", 4 "*", 5 "/", 6 "%",
 *                       7 "<<", 8 ">>", 9 ">>>"  (shifts share the record)
 *   NODE_RELATIONAL     left, right; op 0 "<", 1 ">", 2 "<=", 3 ">=",
 *                       4 instanceof, 5 in
 *   NODE_EQUALITY       left, right; op 0 "==", 1 "!=", 2 "===", 3 "!=="
 *   NODE_BITWISE        left, right; op 0 "&", 1 "^", 2 "|"
 *   NODE_LOGICAL        left, right; op 1 for "&&", 0 for "||"
 *   NODE_CONDITIONAL    child[0] condition, child[1] then, child[2] else
 *   NODE_ASSIGN         child[0] target, child[1] value
 *   NODE_COMPOUND_ASSIGN target, value; op 0 "&=", 1 "^=", 2 "|=", 3 "-=",
 *                       4 "*=", 5 "/=", 6 "%=", 7 "<<=", 8 ">>=", 9 ">>>="
 *   NODE_COMMA          left, right
 *   NODE_VAR_DECL       child[0] NODE_IDENTIFIER, child[1] initialiser
 *   NODE_DECL_LIST      left, right (declarations or lists)
 *   NODE_VAR            child[0] declaration or list
 *   NODE_BLOCK          child[0] statements; count
 *   NODE_EMPTY          stands where a statement is needed but none was
 *                       written ("if (a) ; else b()", "a: ;", a function
 *                       declaration as a loop body)
 *   NODE_IF             condition, then, else (or null)
 *   NODE_WHILE          child[0] condition, child[1] body; op 1 while, 0 do
 *   NODE_FOR            init, condition, update (each may be null), body;
 *                       op 1 when the init is a var declaration list
 *   NODE_FOR_IN         target, object, body; op 1 for "var"
 *   NODE_BREAK, NODE_CONTINUE  name: label (counted) or null
 *   NODE_RETURN         child[0] value or null
 *   NODE_WITH           child[0] object, child[1] body
 *   NODE_SWITCH         child[0] discriminant, child[1] NODE_CASE list;
 *                       count clauses; op index of the default clause or -1
 *   NODE_CASE           child[0] expression (null for default),
 *                       child[1] statements
 *   NODE_LABELLED       name (counted), child[0] statement
 *   NODE_THROW          child[0] value
 *   NODE_TRY            child[0] block, child[1] NODE_CATCH list or null,
 *                       child[2] finally block or null
 *   NODE_CATCH          name (counted), child[0] block
 *
 * Blocks always exist where the grammar has one (an empty "{}" in a try,
 * catch or finally clause is an empty NODE_BLOCK); statement lists skip the
 * statements that produce nothing.
 */
#ifndef SCRIPTCORE_FRONTEND_AST_H
#define SCRIPTCORE_FRONTEND_AST_H

#include <cstdint>

struct JS_Name;
struct JS_String;
struct FunctionCode;

enum NodeKind : uint8_t {
	NODE_LITERAL, NODE_ARRAY_LITERAL, NODE_HOLE, NODE_OBJECT_LITERAL, NODE_PROPERTY,
	NODE_IDENTIFIER, NODE_THIS, NODE_DOT, NODE_INDEX, NODE_CALL, NODE_NEW, NODE_FUNCTION,
	NODE_INCDEC, NODE_PLUS_MINUS, NODE_BITWISE_NOT, NODE_LOGICAL_NOT, NODE_VOID, NODE_DELETE,
	NODE_TYPEOF, NODE_ADD, NODE_ARITHMETIC, NODE_RELATIONAL, NODE_EQUALITY, NODE_BITWISE,
	NODE_LOGICAL, NODE_CONDITIONAL, NODE_ASSIGN, NODE_COMPOUND_ASSIGN, NODE_COMMA,
	NODE_VAR_DECL, NODE_DECL_LIST, NODE_VAR, NODE_BLOCK, NODE_EMPTY, NODE_IF, NODE_WHILE,
	NODE_FOR, NODE_FOR_IN, NODE_BREAK, NODE_CONTINUE, NODE_RETURN, NODE_WITH, NODE_SWITCH,
	NODE_CASE, NODE_LABELLED, NODE_THROW, NODE_TRY, NODE_CATCH,
	NODE_KIND_COUNT
};

enum LiteralKind {
	LITERAL_NULL = 1,
	LITERAL_BOOLEAN = 2,
	LITERAL_NUMBER = 3,
	LITERAL_STRING = 4,
	LITERAL_REGEXP = 6
};

enum { INCDEC_INCREMENT = 1, INCDEC_PREFIX = 2 };

struct AST_Node {
	NodeKind kind;
	int32_t op;
	int32_t count;
	AST_Node *child[4];
	AST_Node *next;         /* next in the list this node stands in */
	AST_Node *labels;       /* NODE_LABELLED records naming this node (not owned) */
	AST_Node *labelNext;    /* for NODE_LABELLED: the next label of the same statement */
	AST_Node *pending;      /* deletion work list */
	JS_Name *name;
	JS_String *string;
	FunctionCode *code;
	double number;
};

/* A new node with every field clear, or null when memory runs out. */
AST_Node *NewNode(NodeKind kind, int op = 0);

/* Deletes a node, its children and the rest of its sibling list, releasing
   every count they hold, without recursion: a left-deep tree of 10^5
   operators goes as safely as a short one. */
void DeleteTree(AST_Node *node);

#endif
