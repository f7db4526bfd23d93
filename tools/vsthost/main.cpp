// vsthost: loads a VST 2 plug-in, reports what it says about itself, renders audio through
// it and checks what the options ask for. Exit code 0 when everything held, 1 when not,
// 2 for a wrong command line.

#include "tools/vsthost/HostOptions.h"
#include "tools/vsthost/HostProgram.h"
#include "tools/vsthost/HostSession.h"

int main(int argc, char** argv)
{
    return HostProgram::Main<HostOptions, HostSession>("vsthost", argc, argv);
}
