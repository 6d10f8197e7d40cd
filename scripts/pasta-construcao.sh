# Sourced by the scripts of scripts/testes/ that need a build of the library.
# pasta_construcao FOLDER NAME prints the absolute path of the build folder:
# FOLDER when given; otherwise the normal build of ./test.sh when it is
# there, or build/NAME (configured here when missing, without the tests).
pasta_construcao() {
  local pasta=$1
  if [[ -z $pasta ]]; then
    if [[ -f build/teste-normal/build.ninja ]]; then
      pasta=build/teste-normal
    else
      pasta=build/$2
      [[ -f $pasta/build.ninja ]] || cmake -S . -B "$pasta" -G Ninja -DQUELB_TESTES=OFF > /dev/null
    fi
  fi
  (cd "$pasta" && pwd)
}
