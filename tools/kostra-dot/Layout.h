// Graphviz's layout of a drawing: `dot -Tsvg -K<engine>`, found on PATH and run without a shell,
// with the drawing on its standard input and the SVG read from its standard output through pipes,
// never through a file that another user could replace.
#pragma once

#include <string>
#include <string_view>

class Output;

// Graphviz's layout engines that a page may be laid out with: ranks (dot, the default), springs
// (neato) or circles (circo).
enum class Engine : unsigned char { Dot, Neato, Circo };

// The engine's name, as Graphviz's -K option and the layout attribute take it.
constexpr std::string_view engineName(Engine engine) {
    return engine == Engine::Neato ? "neato" : engine == Engine::Circo ? "circo" : "dot";
}

// The engine a name names; false for any other name.
constexpr bool engineNamed(std::string_view name, Engine& engine) {
    for (const Engine e : {Engine::Dot, Engine::Neato, Engine::Circo}) {
        if (name != engineName(e)) continue;
        engine = e;
        return true;
    }
    return false;
}

// Runs dot with the engine on the DOT text and stores the <svg> element it writes (its XML prolog,
// doctype and comments before it left out) in svg. The drawing is fed while the SVG is read, so
// that neither side can wait for the other however large the graph. Returns true on success;
// otherwise says on err, in one line, why there is no layout (dot not found or not runnable, ended
// with a status other than 0, ended by a signal, wrote something that is not SVG) and returns
// false. The child is reaped whatever happens; running out of memory throws std::bad_alloc after
// killing it.
bool layOut(std::string_view dot, std::string& svg, Output& err, Engine engine = Engine::Dot);
