#include "cli/Cli.h"
#include "localisation/Catalogue.h"

#include <iostream>

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    quarvelin::Catalogue catalogue;
    catalogue.appliquer_langue(quarvelin::langue_systeme());
    std::vector<std::string> args(argv + 1, argv + argc);
    int status = quarvelin::executer_cli(args, std::cout, std::cerr, catalogue);
    std::cout.flush();
    return status;
}
