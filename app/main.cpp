#include "app/application.h"

int main() { return app::RunApplication(); }
