// The parameter menu of one kind: 1 s-parameters, 2 y-parameters,
// 3 z-parameters. Returns when the user leaves it.
#pragma once

void parameter_menu(int kind);
