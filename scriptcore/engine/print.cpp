#include "print.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "ast.h"
#include "code.h"
#include "jsstring.h"
#include "memory.h"
#include "name.h"
#include "numtext.h"

namespace {

bool AppendFunctionHead(const JS_Name *name, const FunctionCode *code, JS_String *out)
{
	bool ok = out->Append("function ") && (!name || out->Append(name->text, name->length)) && out->Append("(");
	for (int i = 0; ok && code && i < code->parameters.count; ++i) {
		const JS_Name *parameter = code->parameters.items[i];
		ok = (i == 0 || out->Append(", ")) && out->Append(parameter->text, parameter->length);
	}
	return ok && out->Append(") ");
}

// Work still to be printed.  A node is expanded when it comes off the stack:
// its leading text is appended at once and the rest (children, separators,
// closing text) is pushed in reverse order.  Lists are pushed one element at
// a time, so neither deep trees nor long lists take native stack.
enum ItemKind : uint8_t {
	ITEM_TEXT,          // text, length
	ITEM_EXPRESSION,    // node, expression form
	ITEM_STATEMENT,     // node, statement form
	ITEM_EXPRESSIONS,   // node and its siblings, expression form, joined by ", "
	ITEM_STATEMENTS     // node and its siblings, statement form
};

struct Item {
	ItemKind kind;
	uint32_t length;
	const AST_Node *node;
	const char *text;
};

class Printer {
public:
	explicit Printer(JS_String *out) : out_(out) {}
	Printer(const Printer &) = delete;
	Printer &operator=(const Printer &) = delete;
	~Printer()
	{
		if (items_ != fixed_)
			std::free(items_);
	}

	bool Run(ItemKind kind, const AST_Node *node);

private:
	bool Push(ItemKind kind, const AST_Node *node, const char *text = nullptr, uint32_t length = 0);
	bool Text(const char *text) { return Push(ITEM_TEXT, nullptr, text, uint32_t(std::strlen(text))); }
	bool Name(const JS_Name *name) { return !name || Push(ITEM_TEXT, nullptr, name->text, name->length); }
	bool Expression(const AST_Node *node) { return !node || Push(ITEM_EXPRESSION, node); }
	bool Statement(const AST_Node *node) { return !node || Push(ITEM_STATEMENT, node); }

	bool Append(const char *text) { return out_->Append(text); }
	bool AppendName(const JS_Name *name) { return !name || out_->Append(name->text, name->length); }

	bool ExpandExpression(const AST_Node *node);
	bool ExpandStatement(const AST_Node *node);
	bool Binary(const AST_Node *node, const char *op);
	bool Literal(const AST_Node *node);

	JS_String *out_;
	Item fixed_[32];
	Item *items_ = fixed_;
	uint32_t count_ = 0;
	uint32_t capacity_ = 32;
};

bool Printer::Push(ItemKind kind, const AST_Node *node, const char *text, uint32_t length)
{
	if (count_ == capacity_) {
		if (capacity_ > UINT32_MAX / 2 / sizeof(Item))
			return false;
		uint32_t capacity = capacity_ * 2;
		Item *items = static_cast<Item *>(JS_Malloc(capacity * sizeof(Item)));
		if (!items)
			return false;
		std::memcpy(items, items_, count_ * sizeof(Item));
		if (items_ != fixed_)
			std::free(items_);
		items_ = items;
		capacity_ = capacity;
	}
	items_[count_++] = Item{kind, length, node, text};
	return true;
}

bool Printer::Run(ItemKind kind, const AST_Node *node)
{
	if (!node)
		return true;
	if (!Push(kind, node))
		return false;
	while (count_) {
		Item item = items_[--count_];
		bool ok = true;
		switch (item.kind) {
		case ITEM_TEXT:
			ok = out_->Append(item.text, item.length);
			break;
		case ITEM_EXPRESSION:
			ok = ExpandExpression(item.node);
			break;
		case ITEM_STATEMENT:
			ok = ExpandStatement(item.node);
			break;
		case ITEM_EXPRESSIONS:
			if (item.node->next)
				ok = Push(ITEM_EXPRESSIONS, item.node->next) && Text(", ");
			ok = ok && Expression(item.node);
			break;
		case ITEM_STATEMENTS:
			if (item.node->next)
				ok = Push(ITEM_STATEMENTS, item.node->next);
			ok = ok && Statement(item.node);
			break;
		}
		if (!ok)
			return false;
	}
	return true;
}

const char *const arithmetic_ops[] = {"  ", "  ", "  ", " - ", " * ", " / ", " % ", " << ", " >> ", " >>> "};
const char *const relational_ops[] = {" < ", " > ", " <= ", " >= ", " instanceof ", " in "};
const char *const equality_ops[] = {" == ", " != ", " === ", " !== "};
const char *const bitwise_ops[] = {" & ", " ^ ", " | "};
const char *const compound_ops[] = {" &= ", " ^= ", " |= ", " -= ", " *= ", " /= ", " %= ", " <<= ", " >>= ",
	" >>>= "};

// The operator text for a node's op word; an op outside the table (no
// compiled tree has one) prints as bare spacing rather than reading past it.
template <int N>
const char *OperatorText(const char *const (&table)[N], int op)
{
	return op >= 0 && op < N ? table[op] : "  ";
}

bool IsStatementKind(NodeKind kind)
{
	switch (kind) {
	case NODE_VAR:
	case NODE_BLOCK:
	case NODE_EMPTY:
	case NODE_IF:
	case NODE_WHILE:
	case NODE_FOR:
	case NODE_FOR_IN:
	case NODE_BREAK:
	case NODE_CONTINUE:
	case NODE_RETURN:
	case NODE_WITH:
	case NODE_SWITCH:
	case NODE_CASE:
	case NODE_LABELLED:
	case NODE_THROW:
	case NODE_TRY:
	case NODE_CATCH:
		return true;
	default:
		return false;
	}
}

bool Printer::Binary(const AST_Node *node, const char *op)
{
	return Expression(node->child[1]) && Text(op) && Expression(node->child[0]);
}

bool Printer::Literal(const AST_Node *node)
{
	switch (node->op) {
	case 0:
		return Append("undefined");
	case LITERAL_NULL:
		return Append("null");
	case LITERAL_BOOLEAN:
		return Append(node->number != 0 ? "true" : "false");
	case LITERAL_NUMBER: {
		char text[NUMBER_TEXT_SIZE];
		int length = NumberToText(node->number, text);
		return out_->Append(text, size_t(length));
	}
	case LITERAL_STRING:
		// The characters exactly as stored: quotes and line breaks inside
		// are not escaped.
		return out_->AppendByte('"') && (!node->string || out_->Append(node->string)) && out_->AppendByte('"');
	case LITERAL_REGEXP:
		// A regular-expression literal stands for the object it makes.
		return Append("object");
	default:
		return Append("(illegal type)");
	}
}

bool Printer::ExpandExpression(const AST_Node *node)
{
	switch (node->kind) {
	case NODE_LITERAL:
		return Literal(node);
	case NODE_IDENTIFIER:
		return AppendName(node->name);
	case NODE_THIS:
		return Append("this");
	case NODE_HOLE:
		return true;
	case NODE_ARRAY_LITERAL:
		return Append("[") && Text("]") && (!node->child[0] || Push(ITEM_EXPRESSIONS, node->child[0]));
	case NODE_OBJECT_LITERAL:
		return Append("{") && Text("}") && (!node->child[0] || Push(ITEM_EXPRESSIONS, node->child[0]));
	case NODE_PROPERTY:
		return AppendName(node->name) && Append(" : ") && Expression(node->child[0]);
	case NODE_FUNCTION:
		// The body goes through this printer's own stack, so functions
		// nested in functions take no native stack either.
		return AppendFunctionHead(node->name, node->code, out_) && (!node->code || Statement(node->code->body));
	case NODE_DOT:
		return Name(node->name) && Text(".") && Expression(node->child[0]);
	case NODE_INDEX:
		return Text("]") && Expression(node->child[1]) && Text("[") && Expression(node->child[0]);
	case NODE_NEW:
		// "new F()" keeps no trace of its empty argument list.
		if (node->child[1] && !(Text(")") && Push(ITEM_EXPRESSIONS, node->child[1]) && Text("(")))
			return false;
		return Append("new ") && Expression(node->child[0]);
	case NODE_CALL:
		return Text(")") && (!node->child[1] || Push(ITEM_EXPRESSIONS, node->child[1])) && Text("(") &&
		       Expression(node->child[0]);
	case NODE_INCDEC: {
		const char *op = node->op & INCDEC_INCREMENT ? "++" : "--";
		if (node->op & INCDEC_PREFIX)
			return Append(op) && Expression(node->child[0]);
		return Text(op) && Expression(node->child[0]);
	}
	case NODE_PLUS_MINUS:
		return Append(node->op == 1 ? "+" : "-") && Expression(node->child[0]);
	case NODE_BITWISE_NOT:
		return Append("~") && Expression(node->child[0]);
	case NODE_LOGICAL_NOT:
		return Append("!") && Expression(node->child[0]);
	case NODE_VOID:
		return Append("void(") && Text(")") && Expression(node->child[0]);
	case NODE_TYPEOF:
	case NODE_DELETE:
		// Only the operand is printed: the error details that name it
		// read better without the operator.
		return Expression(node->child[0]);
	case NODE_ADD:
		return Binary(node, node->op == 1 ? " += " : " + ");
	case NODE_ARITHMETIC:
		return Binary(node, OperatorText(arithmetic_ops, node->op));
	case NODE_RELATIONAL:
		return Binary(node, OperatorText(relational_ops, node->op));
	case NODE_EQUALITY:
		return Binary(node, OperatorText(equality_ops, node->op));
	case NODE_BITWISE:
		return Binary(node, OperatorText(bitwise_ops, node->op));
	case NODE_LOGICAL:
		return Binary(node, node->op == 1 ? " && " : " || ");
	case NODE_CONDITIONAL:
		return Expression(node->child[2]) && Text(" : ") && Expression(node->child[1]) && Text(" ? ") &&
		       Expression(node->child[0]);
	case NODE_ASSIGN:
		return Binary(node, " = ");
	case NODE_COMPOUND_ASSIGN:
		return Binary(node, OperatorText(compound_ops, node->op));
	case NODE_COMMA:
	case NODE_DECL_LIST:
		return Binary(node, ", ");
	case NODE_VAR_DECL:
		if (node->child[1] && !(Expression(node->child[1]) && Text(" = ")))
			return false;
		return Expression(node->child[0]);
	default:
		// A statement asked for as an expression prints in its own form;
		// anything else is not a node the compiler makes.
		return !IsStatementKind(node->kind) || Statement(node);
	}
}

bool Printer::ExpandStatement(const AST_Node *node)
{
	switch (node->kind) {
	case NODE_BLOCK:
		return Append("{\n") && Text("}\n") && (!node->child[0] || Push(ITEM_STATEMENTS, node->child[0]));
	case NODE_EMPTY:
		// Stands only where a statement is required ("if (a) ; else b()"):
		// printing nothing there would make text that no longer parses.
		return Append(";\n");
	case NODE_VAR:
		return Append("var ") && Text(";\n") && Expression(node->child[0]);
	case NODE_IF:
		return Append("if (") && (!node->child[2] || (Statement(node->child[2]) && Text("else\n"))) &&
		       Statement(node->child[1]) && Text(")\n") && Expression(node->child[0]);
	case NODE_WHILE:
		if (node->op == 1)
			return Append("while (") && Statement(node->child[1]) && Text(")") && Expression(node->child[0]);
		return Append("do ") && Text(");") && Expression(node->child[0]) && Text("while (") &&
		       Statement(node->child[1]);
	case NODE_FOR:
		return Append(node->child[0] && node->op == 1 ? "for (var " : "for (") && Statement(node->child[3]) &&
		       Text(")\n") && Expression(node->child[2]) && Text("; ") && Expression(node->child[1]) && Text("; ") &&
		       Expression(node->child[0]);
	case NODE_FOR_IN:
		return Append(node->op == 1 ? "for (var " : "for (") && Statement(node->child[2]) && Text(")\n") &&
		       Expression(node->child[1]) && Text(" in ") && Expression(node->child[0]);
	case NODE_CONTINUE:
	case NODE_BREAK:
		if (!Append(node->kind == NODE_CONTINUE ? "continue" : "break"))
			return false;
		if (node->name && !(Append(" ") && AppendName(node->name)))
			return false;
		return Append(";\n");
	case NODE_RETURN:
		// A bare return keeps the space: "return ;".
		return Append("return ") && Text(";\n") && Expression(node->child[0]);
	case NODE_WITH:
		return Append("with (") && Statement(node->child[1]) && Text(")") && Expression(node->child[0]);
	case NODE_SWITCH:
		return Append("switch (") && Text("}\n") && (!node->child[1] || Push(ITEM_STATEMENTS, node->child[1])) &&
		       Text(") {\n") && Expression(node->child[0]);
	case NODE_CASE:
		// A clause's statements print as a block; an empty clause prints
		// none.
		if (node->child[1] && !(Text("}\n") && Push(ITEM_STATEMENTS, node->child[1]) && Text("{\n")))
			return false;
		if (!node->child[0])
			return Append("default: ");
		return Append("case ") && Text(": ") && Expression(node->child[0]);
	case NODE_LABELLED:
		return AppendName(node->name) && Append(" : ") && Statement(node->child[0]);
	case NODE_THROW:
		// No terminator: what follows continues on the same line.
		return Append("throw ") && Expression(node->child[0]);
	case NODE_TRY:
		if (node->child[2] && !(Statement(node->child[2]) && Text("finally ")))
			return false;
		return Append("try ") && (!node->child[1] || Push(ITEM_STATEMENTS, node->child[1])) &&
		       Statement(node->child[0]);
	case NODE_CATCH:
		return Append("catch (") && AppendName(node->name) && Append(") ") && Statement(node->child[0]);
	default:
		return Text(";\n") && Expression(node);
	}
}

bool Finish(JS_String *out, uint32_t start, bool ok)
{
	if (!ok && out->length > start) {
		out->length = start;
		out->text[start] = 0;
	}
	return ok;
}

}  // namespace

bool PrintStatement(const AST_Node *node, JS_String *out)
{
	uint32_t start = out->length;
	Printer printer(out);
	return Finish(out, start, printer.Run(ITEM_STATEMENT, node));
}

bool PrintExpression(const AST_Node *node, JS_String *out)
{
	uint32_t start = out->length;
	Printer printer(out);
	return Finish(out, start, printer.Run(ITEM_EXPRESSION, node));
}

bool PrintFunction(const JS_Name *name, const FunctionCode *code, JS_String *out)
{
	uint32_t start = out->length;
	bool ok = AppendFunctionHead(name, code, out) && (!code || PrintStatement(code->body, out));
	return Finish(out, start, ok);
}
