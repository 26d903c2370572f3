#include "ast.h"

#include "code.h"
#include "engine_bridge.h"

#include "memory.h"

#include <cstdlib>

AST_Node *NewNode(NodeKind kind, int op)
{
	AST_Node *node = static_cast<AST_Node *>(JS_Calloc(1, sizeof(AST_Node)));
	if (node) {
		node->kind = kind;
		node->op = op;
	}
	return node;
}

void DeleteTree(AST_Node *node)
{
	/* Nodes waiting to be freed are chained through their pending field, so
	   freeing takes no native stack and no memory of its own. */
	AST_Node *work = nullptr;
	auto push = [&work](AST_Node *n) {
		if (n) {
			n->pending = work;
			work = n;
		}
	};
	push(node);
	while (work) {
		AST_Node *n = work;
		work = n->pending;
		for (AST_Node *c : n->child)
			push(c);
		push(n->next);
		if (n->name)
			FrontReleaseName(n->name);
		if (n->string)
			FrontReleaseString(n->string);
		if (n->code)
			ReleaseCode(n->code);
		std::free(n);
	}
}
