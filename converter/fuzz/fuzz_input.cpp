#include "fuzz_input.h"

const std::vector<std::vector<std::string>>& FuzzOptionSets() {
    static const std::vector<std::vector<std::string>> sets = {
        {"-t"}, {"-e"}, {"-i"}, {"-g"}, {"-pb"}, {"-c"}, {"-1"}, {"-m"}, {"-M"}, {"-k"}, {"-K"},
        {"-kK"}, {"-kKnw"}, {"-rg"}, {"-rm"}, {"-nh", "-c"}, {"-r1"}, {"-rkK"}, {"-nwbp"}, {"-tr"},
    };
    return sets;
}
