"""The package exports every name of its compiled module, and the type stubs describe what is there."""

import ast
import os

import quoria
from quoria import _quoria


def test_all_exports_the_module_and_the_stubs_name_nothing_that_is_missing():
    public = {name for name in dir(_quoria) if not name.startswith("_")} | {"__version__"}
    assert set(quoria.__all__) == public

    with open(os.path.join(os.path.dirname(quoria.__file__), "__init__.pyi"), encoding="utf-8") as stubs:
        tree = ast.parse(stubs.read())
    described = set()
    for node in tree.body:
        if isinstance(node, (ast.FunctionDef, ast.ClassDef)):
            described.add(node.name)
            assert hasattr(quoria, node.name), node.name
        if isinstance(node, ast.ClassDef):
            for member in node.body:
                if isinstance(member, ast.FunctionDef) and not member.name.startswith("__"):
                    assert hasattr(getattr(quoria, node.name), member.name), (node.name, member.name)
    assert public - described == {"__version__"}
