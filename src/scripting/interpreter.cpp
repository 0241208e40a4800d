#include "scripting/interpreter.h"

#include "scripting/evaluator.h"

namespace lorvane::vbs {

Interpreter::Interpreter(HostContext context, InterpreterOptions options)
    : evaluator_(std::make_shared<Evaluator>(std::move(context), options)) {}

Interpreter::~Interpreter() = default;

ObjectRegistry& Interpreter::objects() {
    return evaluator_->registry();
}

void Interpreter::setOptions(const InterpreterOptions& options) {
    evaluator_->setOptions(options);
}

void Interpreter::AddObject(const std::u16string& name, ObjectRef object, bool globalMembers) {
    evaluator_->addObject(name, std::move(object), globalMembers);
}

Status Interpreter::AddCode(std::u16string_view text, const std::u16string& fileName) {
    return evaluator_->addCode(text, fileName);
}

Expected<Variant> Interpreter::Run(std::u16string_view procedure, std::vector<Variant> args) {
    return evaluator_->run(procedure, std::move(args));
}

bool Interpreter::hasProcedure(std::u16string_view name) const {
    return evaluator_->hasProcedure(name);
}

}  // namespace lorvane::vbs
