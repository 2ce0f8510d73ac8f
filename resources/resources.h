#pragma once

// Makes sure the compiled-in pictures and help are registered (the resources live in a static
// library, whose initialiser the linker could otherwise drop).
void kabiroInitResources();
