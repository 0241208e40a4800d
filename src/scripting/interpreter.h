// Our VBScript interpreter as the program's script host: objects added by the host (their
// members optionally global names), code added into one global module that keeps what was
// added before, and named procedures run synchronously. Failures come back as
// lorvane::Failure with the language's error numbers and the place in the script.
#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/failure.h"
#include "scripting/host_object.h"
#include "scripting/value.h"

namespace lorvane::vbs {

class Evaluator;

struct InterpreterOptions {
    // Each AddCode or Run call must finish within this time, else it is stopped and fails
    // with errors::kScriptTimedOut.
    std::chrono::milliseconds timeLimit{10000};
    // At most this many evaluation steps per call (0: no limit), for fuzzing.
    std::uint64_t stepLimit = 0;
    // Nested procedure calls deeper than this fail with error 28, "Out of stack space", and so
    // does a call that would take the machine stack more than stackLimit bytes below the point
    // where the host called in. 1000 calls need about 2 MB in an optimised build, so the
    // defaults are safe on an 8 MB stack whatever the build.
    int maxCallDepth = 1000;
    std::size_t stackLimit = std::size_t{4} << 20;
    // A standalone script owns its names: assigning to an undeclared name that is also a
    // global member of a host object makes a variable of the script (without Option Explicit)
    // instead of writing the member. In conversions the members stay the script's names.
    bool scriptVariablesFirst = false;
    // The longest text (in UTF-16 units) the script may build; longer fails with error 7.
    std::size_t maxTextLength = std::size_t{1} << 27;
};

// Thrown by a host object (WScript.Quit) to end the script at once. AddCode and Run let it
// pass to their caller.
struct ScriptQuit {
    int exitCode = 0;
};

class Interpreter {
  public:
    explicit Interpreter(HostContext context, InterpreterOptions options = {});
    ~Interpreter();
    Interpreter(const Interpreter&) = delete;
    Interpreter& operator=(const Interpreter&) = delete;

    // The creatable object kinds (CreateObject and New); the standard kinds are registered.
    ObjectRegistry& objects();
    void setOptions(const InterpreterOptions& options);

    // `name` becomes a global name for the object; with `globalMembers` its members are also
    // global names (after the script's own names).
    void AddObject(const std::u16string& name, ObjectRef object, bool globalMembers);
    // Compiles the text into the global module and runs its top-level statements. A procedure
    // or class of a name added before replaces the earlier one.
    Status AddCode(std::u16string_view text, const std::u16string& fileName);
    // Runs a procedure of the global module with these arguments and returns its value.
    Expected<Variant> Run(std::u16string_view procedure, std::vector<Variant> args = {});

    bool hasProcedure(std::u16string_view name) const;

  private:
    std::shared_ptr<Evaluator> evaluator_;
};

}  // namespace lorvane::vbs
