/*
 * The script grammar: ECMAScript 3rd edition in LALR(1) form.
 *
 * Two families of expression nonterminals: names ending in "initial" for
 * expression statements (which may not begin with "{" or "function") and
 * names ending in "noin" for the first clause of a for statement (which may
 * not contain the in operator).  Semicolons are inserted by the token
 * filter and by the error productions of expression, var, continue, break
 * and return statements.  Extensions: "-->" may end a program, a start
 * token for function bodies and eval text, several catch clauses, and
 * function declarations wherever a statement may stand.
 *
 * Every action takes over the values of its right-hand side: the helpers
 * below free their arguments when they fail, and %destructor frees what
 * error recovery or an aborted parse leaves on the stack.
 */

%code requires {
#include "compile.h"

struct TextToken {
	const char *text;
	uint32_t length;
};

/* The value stack is moved with memcpy as it grows. */
#define YYSTYPE_IS_TRIVIAL 1
}

%code {
#include "engine_bridge.h"
#include "memory.h"
#include "numtext.h"

#include <cstdlib>
#include <cstring>

/* The parser's stacks grow through the engine's allocator, so that running
   out of memory there fails the parse like any other allocation. */
#define YYMALLOC JS_Malloc
#define YYFREE std::free

/* The stack starts with room for 200 entries and stops at 10000. */
#define YYINITDEPTH 200
#define YYMAXDEPTH 10000

static int yylex(YYSTYPE *value, CompileState *cs);
static void yyerror(CompileState *cs, const char *message);

namespace {

AST_Node *Make(NodeKind kind, int op, AST_Node *a = nullptr, AST_Node *b = nullptr,
	AST_Node *c = nullptr, AST_Node *d = nullptr)
{
	AST_Node *node = NewNode(kind, op);
	if (!node) {
		DeleteTree(a);
		DeleteTree(b);
		DeleteTree(c);
		DeleteTree(d);
		return nullptr;
	}
	node->child[0] = a;
	node->child[1] = b;
	node->child[2] = c;
	node->child[3] = d;
	return node;
}

AST_Node *MakeNamed(NodeKind kind, JS_Name *name, AST_Node *a = nullptr)
{
	AST_Node *node = Make(kind, 0, a);
	if (!node) {
		if (name)
			FrontReleaseName(name);
		return nullptr;
	}
	node->name = name;
	return node;
}

/* A node over a list: child[slot] is the head, count the length. */
AST_Node *MakeOver(NodeKind kind, int op, NodeList list, AST_Node *first = nullptr, int slot = 0)
{
	AST_Node *node = NewNode(kind, op);
	if (!node) {
		DeleteTree(list.head);
		DeleteTree(first);
		return nullptr;
	}
	if (slot == 0) {
		node->child[0] = list.head;
	} else {
		node->child[0] = first;
		node->child[slot] = list.head;
	}
	node->count = list.count;
	return node;
}

NodeList One(AST_Node *node)
{
	NodeList list = {node, node, node ? 1 : 0};
	return list;
}

NodeList Add(NodeList list, AST_Node *node)
{
	if (!node)
		return list;
	if (list.tail)
		list.tail->next = node;
	else
		list.head = node;
	list.tail = node;
	list.count++;
	return list;
}

/* Where one statement is required, a statement that produced nothing
   stands as an empty one. */
AST_Node *Required(AST_Node *statement)
{
	return statement ? statement : NewNode(NODE_EMPTY);
}

AST_Node *Literal(int kind, double number, JS_String *string = nullptr)
{
	AST_Node *node = NewNode(NODE_LITERAL, kind);
	if (!node) {
		if (string)
			FrontReleaseString(string);
		return nullptr;
	}
	node->number = number;
	node->string = string;
	return node;
}

AST_Node *StringLiteral(int kind, const TextToken &text)
{
	JS_String *string = FrontMakeString(text.text, text.length);
	return string ? Literal(kind, 0, string) : nullptr;
}

JS_Name *NumberName(double number)
{
	char text[NUMBER_TEXT_SIZE];
	int length = NumberToText(number, text);
	return FrontInternName(text, static_cast<uint32_t>(length));
}

}  // namespace

/* Builds a node into target; when memory runs out the parse fails. */
#define MAKE(target, expression) \
	do { \
		(target) = (expression); \
		if (!(target)) { \
			cs->outOfMemory = true; \
			YYABORT; \
		} \
	} while (0)

/* The end of a statement that may end by semicolon insertion. */
#define INSERTED(node) \
	do { \
		yyerrok; \
		if (!cs->InsertSemicolon(yychar)) { \
			DeleteTree(node); \
			YYABORT; \
		} \
	} while (0)
}

%define api.pure full
%define parse.error simple
%parse-param {CompileState *cs}
%lex-param {CompileState *cs}

%union {
	double number;
	TextToken text;
	AST_Node *node;
	NodeList list;
	JS_Name *name;
	FunctionCode *code;
	int op;
}

%token JS_OP_ADD_ASSIGNMENT JS_OP_SUB_ASSIGNMENT JS_OP_MUL_ASSIGNMENT JS_OP_DIV_ASSIGNMENT
%token JS_OP_REM_ASSIGNMENT JS_OP_AND_ASSIGNMENT JS_OP_XOR_ASSIGNMENT JS_OP_OR_ASSIGNMENT
%token JS_OP_LEFT_SHIFT_ASSIGNMENT JS_OP_RIGHT_SHIFT_ASSIGNMENT JS_OP_UNS_RIGHT_SHIFT_ASSIGNMENT
%token JS_OP_NOT_EQUAL JS_OP_NOT_STRICT_EQUAL JS_OP_EQUAL JS_OP_STRICT_EQUAL
%token JS_OP_LT_OR_EQUAL JS_OP_GT_OR_EQUAL JS_OP_INCREMENT JS_OP_DECREMENT
%token JS_OP_LOGICAL_AND JS_OP_LOGICAL_OR JS_OP_LEFT_SHIFT JS_OP_RIGHT_SHIFT JS_OP_UNS_RIGHT_SHIFT
%token <text> JS_IDENTIFIER JS_STRING JS_REGULAR_EXPRESSION
%token <number> JS_NUMERIC_LITERAL
%token JS_STMNT_DO JS_STMNT_IF JS_STMNT_IN JS_STMNT_FOR JS_OP_NEW JS_STMNT_TRY JS_STMNT_VAR
%token JS_STMNT_CASE JS_STMNT_ELSE JS_NULL JS_TRUE JS_THIS JS_OP_VOID JS_STMNT_WITH
%token JS_STMNT_BREAK JS_STMNT_CATCH JS_FALSE JS_STMNT_THROW JS_STMNT_WHILE JS_OP_DELETE
%token JS_STMNT_RETURN JS_STMNT_SWITCH JS_OP_TYPEOF JS_STMNT_DEFAULT JS_STMNT_FINALLY
%token JS_STMNT_CONTINUE JS_STMNT_FUNCTION JS_OP_INSTANCEOF JS_IE_TERMINATOR JS_LINE_TERM
%token JS_FUNCTION_BODY JS_RESERVED JS_ILLEGAL

%type <node> literal arrayliteral objectliteral initializer initializernoin initializeropt
%type <node> initializernoinopt variabledeclaration variabledeclarationnoin
%type <node> variabledeclarationlist variabledeclarationlistnoin statement block
%type <node> variablestatement emptystatement expressionstatement ifstatement expressionopt
%type <node> expressionnoinopt iterstatement iterationstatement continuestatement
%type <node> breakstatement returnstatement withstatement switchstatement labelledstatement
%type <node> throwstatement trystatement catch finally primaryexpression simpleexpression
%type <node> memberexpressioninitial memberexpression newexpressioninitial newexpression
%type <node> callexpressioninitial callexpression lefthandsideexpressioninitial
%type <node> lefthandsideexpression postfixexpressioninitial postfixexpression
%type <node> unaryexpressioninitial unaryexpression multiplicativeexpressioninitial
%type <node> multiplicativeexpression additiveexpressioninitial additiveexpression
%type <node> shiftexpressioninitial shiftexpression relationalexpressioninitial
%type <node> relationalexpression relationalexpressionnoin equalityexpressioninitial
%type <node> equalityexpression equalityexpressionnoin bitwiseandexpressioninitial
%type <node> bitwiseandexpression bitwiseandexpressionnoin bitwisexorexpressioninitial
%type <node> bitwisexorexpression bitwisexorexpressionnoin bitwiseorexpressioninitial
%type <node> bitwiseorexpression bitwiseorexpressionnoin logicalandexpressioninitial
%type <node> logicalandexpression logicalandexpressionnoin logicalorexpressioninitial
%type <node> logicalorexpression logicalorexpressionnoin conditionalexpressioninitial
%type <node> conditionalexpression conditionalexpressionnoin assignmentexpressioninitial
%type <node> assignmentexpression assignmentexpressionnoin expressioninitial expression
%type <node> expressionnoin functiondeclaration functionexpression continuestatementfinaliser
%type <node> breakstatementfinaliser returnstatementfinaliser
%type <list> sourceelements elementlist propertynameandvaluelist statementlist
%type <list> statementlistopt argumentlist argumentlistopt arguments catchlist
%type <list> formalparameterlist formalparameterlistopt functionbody
%type <name> propertyname identifier identifierhack identifieropt
%type <op> elision elisionopt compoundassignment

%destructor { DeleteTree($$); } <node>
%destructor { DeleteTree($$.head); } <list>
%destructor { if ($$) FrontReleaseName($$); } <name>

/* The dangling else: shifting binds it to the nearest if. */
%expect 1

%%

program
	: sourceelements { cs->statements = $1; }
	| sourceelements JS_IE_TERMINATOR { cs->statements = $1; }
	| JS_FUNCTION_BODY { }
	| JS_FUNCTION_BODY statementlist { cs->statements = $2; }
	;

sourceelements
	: %empty { $$ = One(nullptr); }
	| sourceelements statement { $$ = Add($1, $2); }
	;

literal
	: JS_NULL { MAKE($$, Literal(LITERAL_NULL, 0)); }
	| JS_TRUE { MAKE($$, Literal(LITERAL_BOOLEAN, 1)); }
	| JS_FALSE { MAKE($$, Literal(LITERAL_BOOLEAN, 0)); }
	| JS_STRING { MAKE($$, StringLiteral(LITERAL_STRING, $1)); }
	| JS_NUMERIC_LITERAL { MAKE($$, Literal(LITERAL_NUMBER, $1)); }
	| JS_REGULAR_EXPRESSION { MAKE($$, StringLiteral(LITERAL_REGEXP, $1)); }
	;

elementlist
	: elisionopt assignmentexpression {
		NodeList list = One(nullptr);
		for (int i = 0; i < $1; i++) {
			AST_Node *hole = NewNode(NODE_HOLE);
			if (!hole) { DeleteTree(list.head); DeleteTree($2); cs->outOfMemory = true; YYABORT; }
			list = Add(list, hole);
		}
		$$ = Add(list, $2);
	}
	| elementlist ',' elisionopt assignmentexpression {
		NodeList list = $1;
		for (int i = 0; i < $3; i++) {
			AST_Node *hole = NewNode(NODE_HOLE);
			if (!hole) { DeleteTree(list.head); DeleteTree($4); cs->outOfMemory = true; YYABORT; }
			list = Add(list, hole);
		}
		$$ = Add(list, $4);
	}
	;

elision
	: ',' { $$ = 1; }
	| elision ',' { $$ = $1 + 1; }
	;

elisionopt
	: %empty { $$ = 0; }
	| elision { $$ = $1; }
	;

arrayliteral
	: '[' elisionopt ']' {
		/* Elisions alone make no elements: [,,] is empty. */
		(void)$2;
		MAKE($$, MakeOver(NODE_ARRAY_LITERAL, 0, One(nullptr)));
	}
	| '[' elementlist ']' { MAKE($$, MakeOver(NODE_ARRAY_LITERAL, 0, $2)); }
	| '[' elementlist ',' elisionopt ']' {
		/* After the elements, the trailing comma and every elision after
		   it each add an element: [1,2,] has three. */
		NodeList list = $2;
		for (int i = 0; i < $4 + 1; i++) {
			AST_Node *hole = NewNode(NODE_HOLE);
			if (!hole) { DeleteTree(list.head); cs->outOfMemory = true; YYABORT; }
			list = Add(list, hole);
		}
		MAKE($$, MakeOver(NODE_ARRAY_LITERAL, 0, list));
	}
	;

objectliteral
	: '{' '}' { MAKE($$, MakeOver(NODE_OBJECT_LITERAL, 0, One(nullptr))); }
	| '{' propertynameandvaluelist '}' { MAKE($$, MakeOver(NODE_OBJECT_LITERAL, 0, $2)); }
	;

propertynameandvaluelist
	: propertyname ':' assignmentexpression {
		AST_Node *property;
		MAKE(property, MakeNamed(NODE_PROPERTY, $1, $3));
		$$ = One(property);
	}
	| propertynameandvaluelist ',' propertyname ':' assignmentexpression {
		AST_Node *property = MakeNamed(NODE_PROPERTY, $3, $5);
		if (!property) { DeleteTree($1.head); cs->outOfMemory = true; YYABORT; }
		$$ = Add($1, property);
	}
	;

propertyname
	: JS_IDENTIFIER { MAKE($$, FrontInternName($1.text, $1.length)); }
	| JS_STRING { MAKE($$, FrontInternName($1.text, $1.length)); }
	| JS_NUMERIC_LITERAL { MAKE($$, NumberName($1)); }
	;

identifier
	: JS_IDENTIFIER { MAKE($$, FrontInternName($1.text, $1.length)); }
	;

identifierhack
	: identifier { $$ = $1; cs->operand = true; }
	;

identifieropt
	: %empty { $$ = nullptr; }
	| identifier { $$ = $1; }
	;

initializer
	: '=' assignmentexpression { $$ = $2; }
	;

initializernoin
	: '=' assignmentexpressionnoin { $$ = $2; }
	;

initializeropt
	: %empty { $$ = nullptr; }
	| initializer { $$ = $1; }
	;

initializernoinopt
	: %empty { $$ = nullptr; }
	| initializernoin { $$ = $1; }
	;

variabledeclaration
	: identifier initializeropt {
		JS_Name *declared = FrontRetainName($1);
		if (!cs->context->vars->Append(declared)) { FrontReleaseName($1); DeleteTree($2); cs->outOfMemory = true; YYABORT; }
		AST_Node *target;
		target = MakeNamed(NODE_IDENTIFIER, $1);
		if (!target) { DeleteTree($2); cs->outOfMemory = true; YYABORT; }
		MAKE($$, Make(NODE_VAR_DECL, 0, target, $2));
	}
	;

variabledeclarationnoin
	: identifier initializernoinopt {
		JS_Name *declared = FrontRetainName($1);
		if (!cs->context->vars->Append(declared)) { FrontReleaseName($1); DeleteTree($2); cs->outOfMemory = true; YYABORT; }
		AST_Node *target;
		target = MakeNamed(NODE_IDENTIFIER, $1);
		if (!target) { DeleteTree($2); cs->outOfMemory = true; YYABORT; }
		MAKE($$, Make(NODE_VAR_DECL, 0, target, $2));
	}
	;

variabledeclarationlist
	: variabledeclaration { $$ = $1; }
	| variabledeclarationlist ',' variabledeclaration { MAKE($$, Make(NODE_DECL_LIST, 0, $1, $3)); }
	;

variabledeclarationlistnoin
	: variabledeclarationnoin { $$ = $1; }
	| variabledeclarationlistnoin ',' variabledeclarationnoin { MAKE($$, Make(NODE_DECL_LIST, 0, $1, $3)); }
	;

statement
	: block { if ($1 && $1->count == 0) { DeleteTree($1); $$ = nullptr; } else $$ = $1; }
	| functiondeclaration { $$ = $1; }
	| variablestatement { $$ = $1; }
	| emptystatement { $$ = $1; }
	| expressionstatement { $$ = $1; }
	| ifstatement { $$ = $1; }
	| iterationstatement { $$ = $1; }
	| continuestatement { $$ = $1; }
	| breakstatement { $$ = $1; }
	| returnstatement { $$ = $1; }
	| withstatement { $$ = $1; }
	| labelledstatement { $$ = $1; }
	| switchstatement { $$ = $1; }
	| throwstatement { $$ = $1; }
	| trystatement { $$ = $1; }
	;

block
	: '{' '}' { MAKE($$, MakeOver(NODE_BLOCK, 0, One(nullptr))); }
	| '{' statementlist '}' { MAKE($$, MakeOver(NODE_BLOCK, 0, $2)); }
	;

statementlist
	: statement { $$ = One($1); }
	| statementlist statement { $$ = Add($1, $2); }
	;

statementlistopt
	: %empty { $$ = One(nullptr); }
	| statementlist { $$ = $1; }
	;

variablestatement
	: JS_STMNT_VAR variabledeclarationlist ';' { MAKE($$, Make(NODE_VAR, 0, $2)); }
	| JS_STMNT_VAR variabledeclarationlist error { INSERTED($2); MAKE($$, Make(NODE_VAR, 0, $2)); }
	;

emptystatement
	: ';' { $$ = nullptr; }
	;

expressionstatement
	: expressioninitial ';' { $$ = $1; }
	| expressioninitial error { INSERTED($1); $$ = $1; }
	;

ifstatement
	: JS_STMNT_IF '(' expression ')' statement JS_STMNT_ELSE statement {
		AST_Node *then = Required($5), *otherwise = Required($7);
		if (!then || !otherwise) { DeleteTree($3); DeleteTree(then ? then : $5); DeleteTree(otherwise ? otherwise : $7); cs->outOfMemory = true; YYABORT; }
		MAKE($$, Make(NODE_IF, 0, $3, then, otherwise));
	}
	| JS_STMNT_IF '(' expression ')' statement {
		AST_Node *then = Required($5);
		if (!then) { DeleteTree($3); cs->outOfMemory = true; YYABORT; }
		MAKE($$, Make(NODE_IF, 0, $3, then));
	}
	;

expressionopt
	: %empty { $$ = nullptr; }
	| expression { $$ = $1; }
	;

expressionnoinopt
	: %empty { $$ = nullptr; }
	| expressionnoin { $$ = $1; }
	;

iterstatement
	: { cs->context->loopDepth++; } statement {
		cs->context->loopDepth--;
		MAKE($$, Required($2));
	}
	;

iterationstatement
	: JS_STMNT_DO iterstatement JS_STMNT_WHILE '(' expression ')' { MAKE($$, Make(NODE_WHILE, 0, $5, $2)); }
	| JS_STMNT_WHILE '(' expression ')' iterstatement { MAKE($$, Make(NODE_WHILE, 1, $3, $5)); }
	| JS_STMNT_FOR '(' expressionnoinopt ';' expressionopt ';' expressionopt ')' iterstatement {
		MAKE($$, Make(NODE_FOR, 0, $3, $5, $7, $9));
	}
	| JS_STMNT_FOR '(' JS_STMNT_VAR variabledeclarationlistnoin ';' expressionopt ';' expressionopt ')' iterstatement {
		MAKE($$, Make(NODE_FOR, 1, $4, $6, $8, $10));
	}
	| JS_STMNT_FOR '(' lefthandsideexpression JS_STMNT_IN expression ')' iterstatement {
		MAKE($$, Make(NODE_FOR_IN, 0, $3, $5, $7));
	}
	| JS_STMNT_FOR '(' JS_STMNT_VAR variabledeclarationnoin JS_STMNT_IN expression ')' iterstatement {
		MAKE($$, Make(NODE_FOR_IN, 1, $4, $6, $8));
	}
	;

continuestatement
	: JS_STMNT_CONTINUE {
		if (!cs->CanContinue())
			YYABORT;
		cs->restricted = true;
	} continuestatementfinaliser { $$ = $3; }
	;

continuestatementfinaliser
	: ';' { MAKE($$, MakeNamed(NODE_CONTINUE, nullptr)); }
	| identifier ';' {
		if (!cs->HasLabel($1)) { FrontReleaseName($1); YYABORT; }
		MAKE($$, MakeNamed(NODE_CONTINUE, $1));
	}
	| error { INSERTED(nullptr); MAKE($$, MakeNamed(NODE_CONTINUE, nullptr)); }
	| identifier error {
		if (!cs->HasLabel($1)) { FrontReleaseName($1); YYABORT; }
		yyerrok;
		if (!cs->InsertSemicolon(yychar)) { FrontReleaseName($1); YYABORT; }
		MAKE($$, MakeNamed(NODE_CONTINUE, $1));
	}
	;

breakstatement
	: JS_STMNT_BREAK {
		if (!cs->CanBreak())
			YYABORT;
		cs->restricted = true;
	} breakstatementfinaliser { $$ = $3; }
	;

breakstatementfinaliser
	: identifieropt ';' {
		if ($1 && !cs->HasLabel($1)) { FrontReleaseName($1); YYABORT; }
		MAKE($$, MakeNamed(NODE_BREAK, $1));
	}
	| identifieropt error {
		if ($1 && !cs->HasLabel($1)) { FrontReleaseName($1); YYABORT; }
		yyerrok;
		if (!cs->InsertSemicolon(yychar)) { if ($1) FrontReleaseName($1); YYABORT; }
		MAKE($$, MakeNamed(NODE_BREAK, $1));
	}
	;

returnstatement
	: JS_STMNT_RETURN { cs->restricted = true; } returnstatementfinaliser { $$ = $3; }
	;

returnstatementfinaliser
	: expressionopt ';' { MAKE($$, Make(NODE_RETURN, 0, $1)); }
	| expressionopt error { INSERTED($1); MAKE($$, Make(NODE_RETURN, 0, $1)); }
	;

withstatement
	: JS_STMNT_WITH '(' expression ')' statement {
		AST_Node *body = Required($5);
		if (!body) { DeleteTree($3); cs->outOfMemory = true; YYABORT; }
		MAKE($$, Make(NODE_WITH, 0, $3, body));
	}
	;

switchstatement
	: JS_STMNT_SWITCH '(' expression ')' {
		AST_Node *node = Make(NODE_SWITCH, -1, $3);
		$3 = nullptr;   /* the open switch owns the discriminant now */
		if (!node || !cs->context->switches.Push(node)) { DeleteTree(node); cs->outOfMemory = true; YYABORT; }
	} caseblock {
		$$ = static_cast<AST_Node *>(cs->context->switches.Pop());
	}
	;

caseblock
	: '{' caseclausesopt '}'
	| '{' caseclausesopt defaultclause caseclausesopt '}'
	;

caseclauses
	: caseclause
	| caseclauses caseclause
	;

caseclausesopt
	: %empty
	| caseclauses
	;

caseclause
	: JS_STMNT_CASE expression ':' statementlistopt {
		AST_Node *clause = MakeOver(NODE_CASE, 0, $4, $2, 1);
		if (!clause) { cs->outOfMemory = true; YYABORT; }
		AST_Node *node = static_cast<AST_Node *>(cs->context->switches.Top());
		if (!node) { DeleteTree(clause); YYABORT; }
		NodeList clauses = {node->child[1], node->child[1], node->count};
		while (clauses.tail && clauses.tail->next)
			clauses.tail = clauses.tail->next;
		clauses = Add(clauses, clause);
		node->child[1] = clauses.head;
		node->count = clauses.count;
	}
	;

defaultclause
	: JS_STMNT_DEFAULT ':' statementlistopt {
		AST_Node *clause = MakeOver(NODE_CASE, 0, $3, nullptr, 1);
		if (!clause) { cs->outOfMemory = true; YYABORT; }
		AST_Node *node = static_cast<AST_Node *>(cs->context->switches.Top());
		if (!node) { DeleteTree(clause); YYABORT; }
		NodeList clauses = {node->child[1], node->child[1], node->count};
		while (clauses.tail && clauses.tail->next)
			clauses.tail = clauses.tail->next;
		node->op = clauses.count;
		clauses = Add(clauses, clause);
		node->child[1] = clauses.head;
		node->count = clauses.count;
	}
	;

labelledstatement
	: identifierhack ':' {
		if (cs->HasLabel($1))
			YYABORT;
		if (!cs->context->labels.Push($1)) { cs->outOfMemory = true; YYABORT; }
	} statement {
		cs->context->labels.Pop();
		AST_Node *body = Required($4);
		if (!body) { FrontReleaseName($1); cs->outOfMemory = true; YYABORT; }
		AST_Node *label;
		MAKE(label, MakeNamed(NODE_LABELLED, $1, body));
		label->labelNext = body->labels;
		body->labels = label;
		$$ = label;
	}
	;

throwstatement
	: JS_STMNT_THROW { cs->restricted = true; } expression throwstatementfinaliser {
		MAKE($$, Make(NODE_THROW, 0, $3));
	}
	;

/* Semicolon insertion applies after a thrown expression as after any
   other: "{ throw e }" and a line break end the statement. */
throwstatementfinaliser
	: ';'
	| error { INSERTED(nullptr); }
	;

trystatement
	: JS_STMNT_TRY block catchlist { MAKE($$, MakeOver(NODE_TRY, 0, $3, $2, 1)); }
	| JS_STMNT_TRY block finally { MAKE($$, Make(NODE_TRY, 0, $2, nullptr, $3)); }
	| JS_STMNT_TRY block catchlist finally {
		AST_Node *node;
		node = MakeOver(NODE_TRY, 0, $3, $2, 1);
		if (!node) { DeleteTree($4); cs->outOfMemory = true; YYABORT; }
		node->child[2] = $4;
		$$ = node;
	}
	;

catchlist
	: catch { $$ = One($1); }
	| catchlist catch { $$ = Add($1, $2); }
	;

catch
	: JS_STMNT_CATCH '(' identifier ')' block { MAKE($$, MakeNamed(NODE_CATCH, $3, $5)); }
	;

finally
	: JS_STMNT_FINALLY block { $$ = $2; }
	;

primaryexpression
	: simpleexpression { $$ = $1; }
	| functionexpression { $$ = $1; }
	| objectliteral { $$ = $1; }
	;

simpleexpression
	: JS_THIS { MAKE($$, Make(NODE_THIS, 0)); cs->operand = true; }
	| identifierhack { MAKE($$, MakeNamed(NODE_IDENTIFIER, $1)); }
	| literal { $$ = $1; cs->operand = true; }
	| arrayliteral { $$ = $1; cs->operand = true; }
	| '(' expression ')' { $$ = $2; cs->operand = true; }
	;

memberexpressioninitial
	: simpleexpression { $$ = $1; }
	| memberexpressioninitial '[' expression ']' { MAKE($$, Make(NODE_INDEX, 0, $1, $3)); cs->operand = true; }
	| memberexpressioninitial '.' identifier {
		AST_Node *node = MakeNamed(NODE_DOT, $3, $1);
		if (!node) { cs->outOfMemory = true; YYABORT; }
		$$ = node;
	}
	| JS_OP_NEW memberexpression arguments { MAKE($$, MakeOver(NODE_NEW, 1, $3, $2, 1)); }
	;

memberexpression
	: primaryexpression { $$ = $1; }
	| memberexpression '[' expression ']' { MAKE($$, Make(NODE_INDEX, 0, $1, $3)); cs->operand = true; }
	| memberexpression '.' identifier {
		AST_Node *node = MakeNamed(NODE_DOT, $3, $1);
		if (!node) { cs->outOfMemory = true; YYABORT; }
		$$ = node;
	}
	| JS_OP_NEW memberexpression arguments { MAKE($$, MakeOver(NODE_NEW, 1, $3, $2, 1)); }
	;

newexpressioninitial
	: memberexpressioninitial { $$ = $1; cs->operand = false; }
	| JS_OP_NEW newexpression { MAKE($$, Make(NODE_NEW, 0, $2)); }
	;

newexpression
	: memberexpression { $$ = $1; cs->operand = false; }
	| JS_OP_NEW newexpression { MAKE($$, Make(NODE_NEW, 0, $2)); }
	;

callexpressioninitial
	: memberexpressioninitial arguments { MAKE($$, MakeOver(NODE_CALL, 0, $2, $1, 1)); }
	| callexpressioninitial arguments { MAKE($$, MakeOver(NODE_CALL, 0, $2, $1, 1)); }
	| callexpressioninitial '[' expression ']' { MAKE($$, Make(NODE_INDEX, 0, $1, $3)); cs->operand = true; }
	| callexpressioninitial '.' identifier {
		AST_Node *node = MakeNamed(NODE_DOT, $3, $1);
		if (!node) { cs->outOfMemory = true; YYABORT; }
		$$ = node;
	}
	;

callexpression
	: memberexpression arguments { MAKE($$, MakeOver(NODE_CALL, 0, $2, $1, 1)); }
	| callexpression arguments { MAKE($$, MakeOver(NODE_CALL, 0, $2, $1, 1)); }
	| callexpression '[' expression ']' { MAKE($$, Make(NODE_INDEX, 0, $1, $3)); cs->operand = true; }
	| callexpression '.' identifier {
		AST_Node *node = MakeNamed(NODE_DOT, $3, $1);
		if (!node) { cs->outOfMemory = true; YYABORT; }
		$$ = node;
	}
	;

argumentlist
	: assignmentexpression { $$ = One($1); }
	| argumentlist ',' assignmentexpression { $$ = Add($1, $3); }
	;

argumentlistopt
	: %empty { $$ = One(nullptr); }
	| argumentlist { $$ = $1; }
	;

arguments
	: '(' { cs->operand = false; } argumentlistopt ')' { $$ = $3; cs->operand = true; }
	;

lefthandsideexpressioninitial
	: newexpressioninitial { $$ = $1; }
	| callexpressioninitial { $$ = $1; }
	;

lefthandsideexpression
	: newexpression { $$ = $1; }
	| callexpression { $$ = $1; }
	;

postfixexpressioninitial
	: lefthandsideexpressioninitial { $$ = $1; }
	| lefthandsideexpressioninitial JS_OP_INCREMENT { MAKE($$, Make(NODE_INCDEC, INCDEC_INCREMENT, $1)); }
	| lefthandsideexpressioninitial JS_OP_DECREMENT { MAKE($$, Make(NODE_INCDEC, 0, $1)); }
	;

postfixexpression
	: lefthandsideexpression { $$ = $1; }
	| lefthandsideexpression JS_OP_INCREMENT { MAKE($$, Make(NODE_INCDEC, INCDEC_INCREMENT, $1)); }
	| lefthandsideexpression JS_OP_DECREMENT { MAKE($$, Make(NODE_INCDEC, 0, $1)); }
	;

unaryexpressioninitial
	: postfixexpressioninitial { $$ = $1; }
	| JS_OP_DELETE unaryexpression { MAKE($$, Make(NODE_DELETE, 0, $2)); }
	| JS_OP_VOID unaryexpression { MAKE($$, Make(NODE_VOID, 0, $2)); }
	| JS_OP_TYPEOF unaryexpression { MAKE($$, Make(NODE_TYPEOF, 0, $2)); }
	| JS_OP_INCREMENT unaryexpression { MAKE($$, Make(NODE_INCDEC, INCDEC_INCREMENT | INCDEC_PREFIX, $2)); }
	| JS_OP_DECREMENT unaryexpression { MAKE($$, Make(NODE_INCDEC, INCDEC_PREFIX, $2)); }
	| '+' unaryexpression { MAKE($$, Make(NODE_PLUS_MINUS, 1, $2)); }
	| '-' unaryexpression { MAKE($$, Make(NODE_PLUS_MINUS, 0, $2)); }
	| '~' unaryexpression { MAKE($$, Make(NODE_BITWISE_NOT, 0, $2)); }
	| '!' unaryexpression { MAKE($$, Make(NODE_LOGICAL_NOT, 0, $2)); }
	;

unaryexpression
	: postfixexpression { $$ = $1; }
	| JS_OP_DELETE unaryexpression { MAKE($$, Make(NODE_DELETE, 0, $2)); }
	| JS_OP_VOID unaryexpression { MAKE($$, Make(NODE_VOID, 0, $2)); }
	| JS_OP_TYPEOF unaryexpression { MAKE($$, Make(NODE_TYPEOF, 0, $2)); }
	| JS_OP_INCREMENT unaryexpression { MAKE($$, Make(NODE_INCDEC, INCDEC_INCREMENT | INCDEC_PREFIX, $2)); }
	| JS_OP_DECREMENT unaryexpression { MAKE($$, Make(NODE_INCDEC, INCDEC_PREFIX, $2)); }
	| '+' unaryexpression { MAKE($$, Make(NODE_PLUS_MINUS, 1, $2)); }
	| '-' unaryexpression { MAKE($$, Make(NODE_PLUS_MINUS, 0, $2)); }
	| '~' unaryexpression { MAKE($$, Make(NODE_BITWISE_NOT, 0, $2)); }
	| '!' unaryexpression { MAKE($$, Make(NODE_LOGICAL_NOT, 0, $2)); }
	;

multiplicativeexpressioninitial
	: unaryexpressioninitial { $$ = $1; }
	| multiplicativeexpressioninitial '*' unaryexpression { MAKE($$, Make(NODE_ARITHMETIC, 4, $1, $3)); }
	| multiplicativeexpressioninitial '%' unaryexpression { MAKE($$, Make(NODE_ARITHMETIC, 6, $1, $3)); }
	| multiplicativeexpressioninitial '/' unaryexpression { MAKE($$, Make(NODE_ARITHMETIC, 5, $1, $3)); }
	;

multiplicativeexpression
	: unaryexpression { $$ = $1; }
	| multiplicativeexpression '*' unaryexpression { MAKE($$, Make(NODE_ARITHMETIC, 4, $1, $3)); }
	| multiplicativeexpression '%' unaryexpression { MAKE($$, Make(NODE_ARITHMETIC, 6, $1, $3)); }
	| multiplicativeexpression '/' unaryexpression { MAKE($$, Make(NODE_ARITHMETIC, 5, $1, $3)); }
	;

additiveexpressioninitial
	: multiplicativeexpressioninitial { $$ = $1; cs->operand = false; }
	| additiveexpressioninitial '+' multiplicativeexpression { MAKE($$, Make(NODE_ADD, 0, $1, $3)); }
	| additiveexpressioninitial '-' multiplicativeexpression { MAKE($$, Make(NODE_ARITHMETIC, 3, $1, $3)); }
	;

additiveexpression
	: multiplicativeexpression { $$ = $1; cs->operand = false; }
	| additiveexpression '+' multiplicativeexpression { MAKE($$, Make(NODE_ADD, 0, $1, $3)); }
	| additiveexpression '-' multiplicativeexpression { MAKE($$, Make(NODE_ARITHMETIC, 3, $1, $3)); }
	;

shiftexpressioninitial
	: additiveexpressioninitial { $$ = $1; }
	| shiftexpressioninitial JS_OP_LEFT_SHIFT additiveexpression { MAKE($$, Make(NODE_ARITHMETIC, 7, $1, $3)); }
	| shiftexpressioninitial JS_OP_RIGHT_SHIFT additiveexpression { MAKE($$, Make(NODE_ARITHMETIC, 8, $1, $3)); }
	| shiftexpressioninitial JS_OP_UNS_RIGHT_SHIFT additiveexpression { MAKE($$, Make(NODE_ARITHMETIC, 9, $1, $3)); }
	;

shiftexpression
	: additiveexpression { $$ = $1; }
	| shiftexpression JS_OP_LEFT_SHIFT additiveexpression { MAKE($$, Make(NODE_ARITHMETIC, 7, $1, $3)); }
	| shiftexpression JS_OP_RIGHT_SHIFT additiveexpression { MAKE($$, Make(NODE_ARITHMETIC, 8, $1, $3)); }
	| shiftexpression JS_OP_UNS_RIGHT_SHIFT additiveexpression { MAKE($$, Make(NODE_ARITHMETIC, 9, $1, $3)); }
	;

relationalexpressioninitial
	: shiftexpressioninitial { $$ = $1; }
	| relationalexpressioninitial '<' shiftexpression { MAKE($$, Make(NODE_RELATIONAL, 0, $1, $3)); }
	| relationalexpressioninitial '>' shiftexpression { MAKE($$, Make(NODE_RELATIONAL, 1, $1, $3)); }
	| relationalexpressioninitial JS_OP_LT_OR_EQUAL shiftexpression { MAKE($$, Make(NODE_RELATIONAL, 2, $1, $3)); }
	| relationalexpressioninitial JS_OP_GT_OR_EQUAL shiftexpression { MAKE($$, Make(NODE_RELATIONAL, 3, $1, $3)); }
	| relationalexpressioninitial JS_OP_INSTANCEOF shiftexpression { MAKE($$, Make(NODE_RELATIONAL, 4, $1, $3)); }
	| relationalexpressioninitial JS_STMNT_IN shiftexpression { MAKE($$, Make(NODE_RELATIONAL, 5, $1, $3)); }
	;

relationalexpression
	: shiftexpression { $$ = $1; }
	| relationalexpression '<' shiftexpression { MAKE($$, Make(NODE_RELATIONAL, 0, $1, $3)); }
	| relationalexpression '>' shiftexpression { MAKE($$, Make(NODE_RELATIONAL, 1, $1, $3)); }
	| relationalexpression JS_OP_LT_OR_EQUAL shiftexpression { MAKE($$, Make(NODE_RELATIONAL, 2, $1, $3)); }
	| relationalexpression JS_OP_GT_OR_EQUAL shiftexpression { MAKE($$, Make(NODE_RELATIONAL, 3, $1, $3)); }
	| relationalexpression JS_OP_INSTANCEOF shiftexpression { MAKE($$, Make(NODE_RELATIONAL, 4, $1, $3)); }
	| relationalexpression JS_STMNT_IN shiftexpression { MAKE($$, Make(NODE_RELATIONAL, 5, $1, $3)); }
	;

relationalexpressionnoin
	: shiftexpression { $$ = $1; }
	| relationalexpressionnoin '<' shiftexpression { MAKE($$, Make(NODE_RELATIONAL, 0, $1, $3)); }
	| relationalexpressionnoin '>' shiftexpression { MAKE($$, Make(NODE_RELATIONAL, 1, $1, $3)); }
	| relationalexpressionnoin JS_OP_LT_OR_EQUAL shiftexpression { MAKE($$, Make(NODE_RELATIONAL, 2, $1, $3)); }
	| relationalexpressionnoin JS_OP_GT_OR_EQUAL shiftexpression { MAKE($$, Make(NODE_RELATIONAL, 3, $1, $3)); }
	| relationalexpressionnoin JS_OP_INSTANCEOF shiftexpression { MAKE($$, Make(NODE_RELATIONAL, 4, $1, $3)); }
	;

equalityexpressioninitial
	: relationalexpressioninitial { $$ = $1; }
	| equalityexpressioninitial JS_OP_EQUAL relationalexpression { MAKE($$, Make(NODE_EQUALITY, 0, $1, $3)); }
	| equalityexpressioninitial JS_OP_NOT_EQUAL relationalexpression { MAKE($$, Make(NODE_EQUALITY, 1, $1, $3)); }
	| equalityexpressioninitial JS_OP_STRICT_EQUAL relationalexpression { MAKE($$, Make(NODE_EQUALITY, 2, $1, $3)); }
	| equalityexpressioninitial JS_OP_NOT_STRICT_EQUAL relationalexpression { MAKE($$, Make(NODE_EQUALITY, 3, $1, $3)); }
	;

equalityexpression
	: relationalexpression { $$ = $1; }
	| equalityexpression JS_OP_EQUAL relationalexpression { MAKE($$, Make(NODE_EQUALITY, 0, $1, $3)); }
	| equalityexpression JS_OP_NOT_EQUAL relationalexpression { MAKE($$, Make(NODE_EQUALITY, 1, $1, $3)); }
	| equalityexpression JS_OP_STRICT_EQUAL relationalexpression { MAKE($$, Make(NODE_EQUALITY, 2, $1, $3)); }
	| equalityexpression JS_OP_NOT_STRICT_EQUAL relationalexpression { MAKE($$, Make(NODE_EQUALITY, 3, $1, $3)); }
	;

equalityexpressionnoin
	: relationalexpressionnoin { $$ = $1; }
	| equalityexpressionnoin JS_OP_EQUAL relationalexpressionnoin { MAKE($$, Make(NODE_EQUALITY, 0, $1, $3)); }
	| equalityexpressionnoin JS_OP_NOT_EQUAL relationalexpressionnoin { MAKE($$, Make(NODE_EQUALITY, 1, $1, $3)); }
	| equalityexpressionnoin JS_OP_STRICT_EQUAL relationalexpressionnoin { MAKE($$, Make(NODE_EQUALITY, 2, $1, $3)); }
	| equalityexpressionnoin JS_OP_NOT_STRICT_EQUAL relationalexpressionnoin { MAKE($$, Make(NODE_EQUALITY, 3, $1, $3)); }
	;

bitwiseandexpressioninitial
	: equalityexpressioninitial { $$ = $1; }
	| bitwiseandexpressioninitial '&' equalityexpression { MAKE($$, Make(NODE_BITWISE, 0, $1, $3)); }
	;

bitwiseandexpression
	: equalityexpression { $$ = $1; }
	| bitwiseandexpression '&' equalityexpression { MAKE($$, Make(NODE_BITWISE, 0, $1, $3)); }
	;

bitwiseandexpressionnoin
	: equalityexpressionnoin { $$ = $1; }
	| bitwiseandexpressionnoin '&' equalityexpressionnoin { MAKE($$, Make(NODE_BITWISE, 0, $1, $3)); }
	;

bitwisexorexpressioninitial
	: bitwiseandexpressioninitial { $$ = $1; }
	| bitwisexorexpressioninitial '^' bitwiseandexpression { MAKE($$, Make(NODE_BITWISE, 1, $1, $3)); }
	;

bitwisexorexpression
	: bitwiseandexpression { $$ = $1; }
	| bitwisexorexpression '^' bitwiseandexpression { MAKE($$, Make(NODE_BITWISE, 1, $1, $3)); }
	;

bitwisexorexpressionnoin
	: bitwiseandexpressionnoin { $$ = $1; }
	| bitwisexorexpressionnoin '^' bitwiseandexpressionnoin { MAKE($$, Make(NODE_BITWISE, 1, $1, $3)); }
	;

bitwiseorexpressioninitial
	: bitwisexorexpressioninitial { $$ = $1; }
	| bitwiseorexpressioninitial '|' bitwisexorexpression { MAKE($$, Make(NODE_BITWISE, 2, $1, $3)); }
	;

bitwiseorexpression
	: bitwisexorexpression { $$ = $1; }
	| bitwiseorexpression '|' bitwisexorexpression { MAKE($$, Make(NODE_BITWISE, 2, $1, $3)); }
	;

bitwiseorexpressionnoin
	: bitwisexorexpressionnoin { $$ = $1; }
	| bitwiseorexpressionnoin '|' bitwisexorexpressionnoin { MAKE($$, Make(NODE_BITWISE, 2, $1, $3)); }
	;

logicalandexpressioninitial
	: bitwiseorexpressioninitial { $$ = $1; }
	| logicalandexpressioninitial JS_OP_LOGICAL_AND bitwiseorexpression { MAKE($$, Make(NODE_LOGICAL, 1, $1, $3)); }
	;

logicalandexpression
	: bitwiseorexpression { $$ = $1; }
	| logicalandexpression JS_OP_LOGICAL_AND bitwiseorexpression { MAKE($$, Make(NODE_LOGICAL, 1, $1, $3)); }
	;

logicalandexpressionnoin
	: bitwiseorexpressionnoin { $$ = $1; }
	| logicalandexpressionnoin JS_OP_LOGICAL_AND bitwiseorexpressionnoin { MAKE($$, Make(NODE_LOGICAL, 1, $1, $3)); }
	;

logicalorexpressioninitial
	: logicalandexpressioninitial { $$ = $1; }
	| logicalorexpressioninitial JS_OP_LOGICAL_OR logicalandexpression { MAKE($$, Make(NODE_LOGICAL, 0, $1, $3)); }
	;

logicalorexpression
	: logicalandexpression { $$ = $1; }
	| logicalorexpression JS_OP_LOGICAL_OR logicalandexpression { MAKE($$, Make(NODE_LOGICAL, 0, $1, $3)); }
	;

logicalorexpressionnoin
	: logicalandexpressionnoin { $$ = $1; }
	| logicalorexpressionnoin JS_OP_LOGICAL_OR logicalandexpressionnoin { MAKE($$, Make(NODE_LOGICAL, 0, $1, $3)); }
	;

conditionalexpressioninitial
	: logicalorexpressioninitial { $$ = $1; }
	| logicalorexpressioninitial '?' assignmentexpression ':' assignmentexpression { MAKE($$, Make(NODE_CONDITIONAL, 0, $1, $3, $5)); }
	;

conditionalexpression
	: logicalorexpression { $$ = $1; }
	| logicalorexpression '?' assignmentexpression ':' assignmentexpression { MAKE($$, Make(NODE_CONDITIONAL, 0, $1, $3, $5)); }
	;

conditionalexpressionnoin
	: logicalorexpressionnoin { $$ = $1; }
	| logicalorexpressionnoin '?' assignmentexpressionnoin ':' assignmentexpressionnoin { MAKE($$, Make(NODE_CONDITIONAL, 0, $1, $3, $5)); }
	;

compoundassignment
	: JS_OP_MUL_ASSIGNMENT { $$ = 4; }
	| JS_OP_DIV_ASSIGNMENT { $$ = 5; }
	| JS_OP_REM_ASSIGNMENT { $$ = 6; }
	| JS_OP_SUB_ASSIGNMENT { $$ = 3; }
	| JS_OP_LEFT_SHIFT_ASSIGNMENT { $$ = 7; }
	| JS_OP_RIGHT_SHIFT_ASSIGNMENT { $$ = 8; }
	| JS_OP_UNS_RIGHT_SHIFT_ASSIGNMENT { $$ = 9; }
	| JS_OP_AND_ASSIGNMENT { $$ = 0; }
	| JS_OP_XOR_ASSIGNMENT { $$ = 1; }
	| JS_OP_OR_ASSIGNMENT { $$ = 2; }
	;

assignmentexpressioninitial
	: conditionalexpressioninitial { $$ = $1; }
	| lefthandsideexpressioninitial '=' assignmentexpression { MAKE($$, Make(NODE_ASSIGN, 0, $1, $3)); }
	| lefthandsideexpressioninitial compoundassignment assignmentexpression { MAKE($$, Make(NODE_COMPOUND_ASSIGN, $2, $1, $3)); }
	| lefthandsideexpressioninitial JS_OP_ADD_ASSIGNMENT assignmentexpression { MAKE($$, Make(NODE_ADD, 1, $1, $3)); }
	;

assignmentexpression
	: conditionalexpression { $$ = $1; }
	| lefthandsideexpression '=' assignmentexpression { MAKE($$, Make(NODE_ASSIGN, 0, $1, $3)); }
	| lefthandsideexpression compoundassignment assignmentexpression { MAKE($$, Make(NODE_COMPOUND_ASSIGN, $2, $1, $3)); }
	| lefthandsideexpression JS_OP_ADD_ASSIGNMENT assignmentexpression { MAKE($$, Make(NODE_ADD, 1, $1, $3)); }
	;

assignmentexpressionnoin
	: conditionalexpressionnoin { $$ = $1; }
	| lefthandsideexpression '=' assignmentexpressionnoin { MAKE($$, Make(NODE_ASSIGN, 0, $1, $3)); }
	| lefthandsideexpression compoundassignment assignmentexpressionnoin { MAKE($$, Make(NODE_COMPOUND_ASSIGN, $2, $1, $3)); }
	| lefthandsideexpression JS_OP_ADD_ASSIGNMENT assignmentexpressionnoin { MAKE($$, Make(NODE_ADD, 1, $1, $3)); }
	;

expressioninitial
	: assignmentexpressioninitial { $$ = $1; }
	| expressioninitial ',' assignmentexpression { MAKE($$, Make(NODE_COMMA, 0, $1, $3)); }
	;

expression
	: assignmentexpression { $$ = $1; }
	| expression ',' assignmentexpression { MAKE($$, Make(NODE_COMMA, 0, $1, $3)); }
	;

expressionnoin
	: assignmentexpressionnoin { $$ = $1; }
	| expressionnoin ',' assignmentexpressionnoin { MAKE($$, Make(NODE_COMMA, 0, $1, $3)); }
	;

functiondeclaration
	: JS_STMNT_FUNCTION identifier '(' formalparameterlistopt ')' {
		if (!cs->PushFunctionContext()) { cs->outOfMemory = true; YYABORT; }
	} '{' functionbody '}' {
		FunctionCode *code = cs->Finish($4, $8);
		if (!code) { FrontReleaseName($2); cs->outOfMemory = true; YYABORT; }
		code->name = $2;
		if (!cs->context->functions->Append(code)) { cs->outOfMemory = true; YYABORT; }
		$$ = nullptr;
	}
	;

functionexpression
	: JS_STMNT_FUNCTION identifieropt '(' formalparameterlistopt ')' {
		if (!cs->PushFunctionContext()) { cs->outOfMemory = true; YYABORT; }
	} '{' functionbody '}' {
		FunctionCode *code = cs->Finish($4, $8);
		if (!code) { if ($2) FrontReleaseName($2); cs->outOfMemory = true; YYABORT; }
		RetainCode(code);
		AST_Node *node = NewNode(NODE_FUNCTION);
		if (!node) { if ($2) FrontReleaseName($2); ReleaseCode(code); cs->outOfMemory = true; YYABORT; }
		node->name = $2;
		node->code = code;
		$$ = node;
	}
	;

formalparameterlist
	: identifier {
		AST_Node *node;
		MAKE(node, MakeNamed(NODE_IDENTIFIER, $1));
		$$ = One(node);
	}
	| formalparameterlist ',' identifier {
		AST_Node *node = MakeNamed(NODE_IDENTIFIER, $3);
		if (!node) { DeleteTree($1.head); cs->outOfMemory = true; YYABORT; }
		$$ = Add($1, node);
	}
	;

formalparameterlistopt
	: %empty { $$ = One(nullptr); }
	| formalparameterlist { $$ = $1; }
	;

functionbody
	: sourceelements { $$ = $1; }
	;

%%

static int yylex(YYSTYPE *value, CompileState *cs)
{
	TokenValue token;
	int kind = cs->NextToken(&token);
	if (kind == JS_NUMERIC_LITERAL) {
		value->number = token.number;
	} else if (kind == JS_IDENTIFIER || kind == JS_STRING || kind == JS_REGULAR_EXPRESSION) {
		value->text.text = token.text;
		value->text.length = token.length;
	}
	return kind;
}

static void yyerror(CompileState *cs, const char *)
{
	/* The message is not kept; the report shows where, not what. */
	cs->RecordError();
}

int CompileState::Parse()
{
	return yyparse(this);
}
