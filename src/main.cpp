#include "app/vexa_app.h"

int main(int argc, char** argv) {
  torvane::CVexaApp app(argc, argv);
  return app.Run();
}
