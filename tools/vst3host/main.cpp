// vst3host: loads a VST3 module, reports what its factory and effect say about themselves,
// renders audio through the effect with parameter changes, saves and restores its state and
// checks what the options ask for. Exit code 0 when everything held, 1 when not, 2 for a
// wrong command line.

#include "tools/vst3host/Vst3HostOptions.h"
#include "tools/vst3host/Vst3Session.h"
#include "tools/vsthost/HostProgram.h"

int main(int argc, char** argv)
{
    return HostProgram::Main<Vst3HostOptions, Vst3Session>("vst3host", argc, argv);
}
