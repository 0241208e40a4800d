// Declarations: Option Explicit, Dim, Public, Private, Const, Sub, Function, Property, Class.
#include "platform/error_catalogue.h"
#include "scripting/parser_impl.h"

namespace lorvane::vbs {
namespace {

bool isConstantToken(Tok type) {
    switch (type) {
        case Tok::Integer:
        case Tok::Float:
        case Tok::String:
        case Tok::Date:
        case Tok::True:
        case Tok::False:
        case Tok::Empty:
        case Tok::Null:
        case Tok::Nothing:
            return true;
        default:
            return false;
    }
}

}  // namespace

// declaration -> OPTION EXPLICIT | DIM varlist | CONST constlist
//              | (PUBLIC [DEFAULT] | PRIVATE) (varlist | CONST constlist | procedure)
//              | procedure | class
StmtPtr Parser::declaration() {
    Pos pos = here();
    const bool topLevel = !proc_ && blockDepth_ == 0;
    switch (peek().type) {
        case Tok::Option:
            advance();
            if (!checkWord(u"explicit")) fail(errors::kSyntaxError);
            advance();
            module_->optionExplicit = true;
            return nullptr;
        case Tok::Dim:
            advance();
            variableList(true);
            return std::make_unique<DeclareStmt>(pos);
        case Tok::Const:
            advance();
            constList(true);
            return std::make_unique<DeclareStmt>(pos);
        case Tok::Public:
        case Tok::Private: {
            if (!topLevel) fail(errors::kExpectedStatement);
            const bool isPublic = advance().type == Tok::Public;
            bool isDefault = false;
            if (checkWord(u"default")) {
                if (!isPublic) fail(errors::kDefaultNeedsPublic);
                advance();
                isDefault = true;
            }
            if (atProcedureStart()) {
                procedure(isPublic, isDefault);
                return nullptr;
            }
            if (isDefault) fail(errors::kDefaultOnlyOnPropertyGet);
            if (accept(Tok::Const)) {
                constList(isPublic);
            } else {
                variableList(isPublic);
            }
            return std::make_unique<DeclareStmt>(pos);
        }
        case Tok::Sub:
        case Tok::Function:
        case Tok::Identifier:  // Property Get, Let or Set
            // A procedure may be written inside a block of top-level code; it is defined
            // whether or not the block runs.
            if (proc_ || class_) fail(errors::kSyntaxError);
            procedure(true, false);
            return nullptr;
        case Tok::Class:
            if (!topLevel || class_) fail(errors::kSyntaxError);
            classDeclaration();
            return nullptr;
        default:
            fail(errors::kExpectedStatement);
    }
}

// varlist -> variable { ',' variable }
void Parser::variableList(bool isPublic) {
    do {
        declare(variable(isPublic));
    } while (accept(Tok::Comma));
}

// variable -> name [ '(' [integer { ',' integer }] ')' ]
VarDecl Parser::variable(bool isPublic) {
    VarDecl decl;
    const Token name = identifier();
    decl.name = names_.intern(name.text);
    decl.spelling = name.text;
    decl.pos = {name.line, name.column};
    decl.isPublic = isPublic;
    if (accept(Tok::LParen)) {
        decl.isArray = true;
        if (!accept(Tok::RParen)) {
            do {
                if (!check(Tok::Integer) || peek().number < 0) fail(errors::kExpectedInteger);
                decl.bounds.push_back(static_cast<int32_t>(advance().number));
            } while (accept(Tok::Comma));
            expect(Tok::RParen, errors::kExpectedCloseParen);
        }
    }
    return decl;
}

// constlist -> name '=' constant { ',' name '=' constant }
void Parser::constList(bool isPublic) {
    do {
        VarDecl decl;
        const Token name = identifier();
        decl.name = names_.intern(name.text);
        decl.spelling = name.text;
        decl.pos = {name.line, name.column};
        decl.isPublic = isPublic;
        decl.isConst = true;
        expect(Tok::Eq, errors::kExpectedEquals);
        decl.constValue = constantValue();
        declare(std::move(decl));
    } while (accept(Tok::Comma));
}

// constant -> ['-' | '+'] literal | '(' constant ')'
Variant Parser::constantValue() {
    if (accept(Tok::LParen)) {
        Variant value = constantValue();
        expect(Tok::RParen, errors::kExpectedCloseParen);
        return value;
    }
    bool negate = false;
    while (check(Tok::Minus) || check(Tok::Plus)) {
        if (advance().type == Tok::Minus) negate = !negate;
    }
    if (!isConstantToken(peek().type)) fail(errors::kExpectedLiteralConstant);
    const Token& token = advance();
    Variant value = literalValue(token);
    if (!negate) return value;
    switch (value.type()) {
        case VarType::Integer:
            if (value.asInteger() == -32768) return Variant::fromLong(32768);
            return Variant::fromInteger(static_cast<int16_t>(-value.asInteger()));
        case VarType::Long:
            if (value.asLong() == INT32_MIN) return Variant::fromDouble(2147483648.0);
            return Variant::fromLong(-value.asLong());
        case VarType::Double:
            return Variant::fromDouble(-value.asDouble());
        default:
            fail(errors::kExpectedLiteralConstant);
    }
}

void Parser::declare(VarDecl decl) {
    if (proc_) {
        if (locals_.count(decl.name)) {
            throw CompileError{errors::kNameRedefined, decl.pos.line, decl.pos.column};
        }
        locals_[decl.name] = proc_->slotCount++;
        proc_->locals.push_back(std::move(decl));
        return;
    }
    if (class_) {
        for (const auto& field : class_->fields) {
            if (field.name == decl.name) {
                throw CompileError{errors::kNameRedefined, decl.pos.line, decl.pos.column};
            }
        }
        class_->fields.push_back(std::move(decl));
        return;
    }
    if (!moduleNames_.emplace(decl.name, decl.pos).second) {
        throw CompileError{errors::kNameRedefined, decl.pos.line, decl.pos.column};
    }
    module_->globals.push_back(std::move(decl));
}

// procedure -> (SUB | FUNCTION | PROPERTY (GET | LET | SET)) name [ '(' params ')' ]
//              block END (SUB | FUNCTION | PROPERTY)
void Parser::procedure(bool isPublic, bool isDefault) {
    auto proc = std::make_shared<Procedure>();
    proc->pos = here();
    proc->file = file_;
    proc->isPublic = isPublic;
    proc->isDefault = isDefault;
    proc->optionExplicit = module_->optionExplicit;
    const Tok opener = advance().type;
    if (opener == Tok::Sub) {
        proc->kind = ProcKind::Sub;
    } else if (opener == Tok::Function) {
        proc->kind = ProcKind::Function;
    } else {
        if (!class_) fail(errors::kMustBeDefinedInsideClass);
        if (checkWord(u"get"))
            proc->kind = ProcKind::PropertyGet;
        else if (check(Tok::Let))
            proc->kind = ProcKind::PropertyLet;
        else if (check(Tok::Set))
            proc->kind = ProcKind::PropertySet;
        else
            fail(errors::kExpectedLetSetGet);
        advance();
    }
    if (isDefault && proc->kind != ProcKind::PropertyGet && proc->kind != ProcKind::Function &&
        proc->kind != ProcKind::Sub) {
        fail(errors::kDefaultOnlyOnPropertyGet);
    }
    const Token name = identifier();
    proc->name = names_.intern(name.text);
    proc->spelling = name.text;

    locals_.clear();
    procNames_.clear();
    proc_ = proc.get();
    parameters(*proc);
    if (proc->kind == ProcKind::Function || proc->kind == ProcKind::PropertyGet) {
        proc->resultSlot = proc->slotCount++;
        locals_.emplace(proc->name, proc->resultSlot);
    }
    if ((proc->kind == ProcKind::PropertyLet || proc->kind == ProcKind::PropertySet) &&
        proc->params.empty()) {
        fail(errors::kPropertyLetSetNeedsArgument);
    }
    const int savedFor = forDepth_, savedDo = doDepth_;
    forDepth_ = doDepth_ = 0;
    if (check(Tok::Newline) || check(Tok::Colon)) advance();  // else the body starts on this line
    proc->body = block();
    forDepth_ = savedFor;
    doDepth_ = savedDo;
    if (opener == Tok::Identifier)
        expectEndProperty();
    else
        expectEnd(opener, opener == Tok::Sub ? errors::kExpectedSub : errors::kExpectedFunction);
    for (NameExpr* n : procNames_) {
        auto found = locals_.find(n->name);
        if (found != locals_.end()) n->localSlot = found->second;
    }
    procNames_.clear();
    locals_.clear();
    proc_ = nullptr;

    if (class_) {
        for (const auto& other : class_->procedures) {
            const bool bothProperties = other->kind >= ProcKind::PropertyGet &&
                                        proc->kind >= ProcKind::PropertyGet &&
                                        other->kind != proc->kind;
            if (other->name == proc->name && !bothProperties) {
                throw CompileError{errors::kNameRedefined, name.line, name.column};
            }
        }
        for (const auto& field : class_->fields) {
            if (field.name == proc->name) {
                throw CompileError{errors::kNameRedefined, name.line, name.column};
            }
        }
        class_->procedures.push_back(std::move(proc));
        return;
    }
    if (!moduleNames_.emplace(proc->name, proc->pos).second) {
        // A procedure defined again replaces the earlier one, even before it runs; the name
        // of a variable or class stays taken.
        for (auto& earlier : module_->procedures) {
            if (earlier->name == proc->name) {
                earlier = std::move(proc);
                return;
            }
        }
        throw CompileError{errors::kNameRedefined, name.line, name.column};
    }
    module_->procedures.push_back(std::move(proc));
}

// params -> '(' [param { ',' param }] ')'
// param  -> [BYVAL | BYREF] name [ '(' ')' ]
void Parser::parameters(Procedure& proc) {
    if (!accept(Tok::LParen)) return;
    if (accept(Tok::RParen)) return;
    do {
        Param param;
        if (accept(Tok::ByVal))
            param.byVal = true;
        else
            accept(Tok::ByRef);
        const Token name = identifier();
        param.name = names_.intern(name.text);
        param.spelling = name.text;
        if (accept(Tok::LParen)) expect(Tok::RParen, errors::kExpectedCloseParen);
        if (!locals_.emplace(param.name, proc.slotCount).second) {
            throw CompileError{errors::kNameRedefined, name.line, name.column};
        }
        ++proc.slotCount;
        proc.params.push_back(std::move(param));
    } while (accept(Tok::Comma));
    expect(Tok::RParen, errors::kExpectedCloseParen);
}

// class -> CLASS name { classmember } END CLASS
void Parser::classDeclaration() {
    advance();
    const Token name = identifier();
    auto def = std::make_shared<ClassDef>();
    def->name = names_.intern(name.text);
    def->spelling = name.text;
    def->file = file_;
    def->pos = {name.line, name.column};
    def->optionExplicit = module_->optionExplicit;
    if (!moduleNames_.emplace(def->name, def->pos).second) {
        throw CompileError{errors::kNameRedefined, name.line, name.column};
    }
    endOfStatement();
    class_ = def.get();
    while (true) {
        if (check(Tok::Newline) || check(Tok::Colon)) {
            advance();
            continue;
        }
        if (check(Tok::EndKw) || check(Tok::End)) break;
        classMember();
        endOfStatement();
    }
    expectEnd(Tok::Class, errors::kExpectedClass);
    finishClass(*def);
    class_ = nullptr;
    module_->classes.push_back(std::move(def));
}

// classmember -> DIM varlist | (PUBLIC [DEFAULT] | PRIVATE) (varlist | procedure) | procedure
void Parser::classMember() {
    if (accept(Tok::Dim)) {
        variableList(true);
        return;
    }
    bool isPublic = true;
    bool isDefault = false;
    if (check(Tok::Public) || check(Tok::Private)) {
        isPublic = advance().type == Tok::Public;
        if (checkWord(u"default")) {
            if (!isPublic) fail(errors::kDefaultNeedsPublic);
            advance();
            isDefault = true;
        }
        if (!atProcedureStart()) {
            if (isDefault) fail(errors::kDefaultOnlyOnPropertyGet);
            variableList(isPublic);
            return;
        }
    }
    if (!atProcedureStart()) {
        fail(errors::kExpectedStatement);
    }
    procedure(isPublic, isDefault);
}

void Parser::finishClass(ClassDef& def) {
    const Procedure* defaultProc = nullptr;
    for (const auto& proc : def.procedures) {
        if (proc->isDefault) {
            if (defaultProc && defaultProc->name != proc->name) {
                throw CompileError{errors::kCannotHaveMultipleDefault, proc->pos.line,
                                   proc->pos.column};
            }
            defaultProc = proc.get();
        }
        const std::u16string& n = names_.folded(proc->name);
        if ((n == u"class_initialize" || n == u"class_terminate") && !proc->params.empty()) {
            throw CompileError{errors::kClassInitializeNoArguments, proc->pos.line,
                               proc->pos.column};
        }
    }
}

}  // namespace lorvane::vbs
