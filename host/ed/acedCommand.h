#pragma once
// Running a command from inside a command, as an add-on drives the host's own
// commands. The arguments are pairs of a result type and a value, ended by RTNONE:
// RTSTR a text (a command name, a keyword, "" for Enter), RTSHORT and RTLONG an
// integer, RTREAL a number, RTPOINT and RT3DPOINT a point (const double[3]). The first
// text names the command; the others are its first answers, read before anything
// else. When they are used up the command reads the host's input as usual, so the
// user answers the rest.
//
// RTNORM when the command ran to its end, RTCAN when it was cancelled, RTERROR when
// no command has the name, the first argument is no text or an argument type is
// unknown (nothing runs then).
int acedCommandS(int rtype, ...);
