# The two commands of this project:
#   make demo   installs what it needs, builds the Linux plug-ins and fxhost, renders test
#               material through both plug-ins into build/demo/ and prints the figures
#   make test   installs what the tests need, builds every target and runs every test
# and further:
#   make        installs what the build needs, then builds the plug-ins into dist/
#   make fuzz   runs the fuzzers for FUZZ_SECONDS each (default 300)
#   make bench  builds the processing benchmarks and prints their table
RELEASE_PRESETS := linux-x86_64 windows-x86 windows-x64
FUZZ_SECONDS ?= 300

.PHONY: all dist demo test fuzz bench clean

all: dist

dist:
	@scripts/install-deps.sh build
	@for p in $(RELEASE_PRESETS); do \
	  cmake --preset $$p -DFX_BUILD_TESTS=OFF --no-warn-unused-cli >/dev/null && cmake --build --preset $$p -j2 || exit 1; \
	done
	@ls -l dist/*/

demo:
	@scripts/install-deps.sh demo
	@scripts/demo.sh

test:
	@scripts/run-tests.sh

fuzz:
	@scripts/install-deps.sh test
	@scripts/run-fuzzers.sh $(FUZZ_SECONDS)

bench:
	@scripts/install-deps.sh bench
	@scripts/run-bench.sh

clean:
	rm -rf build dist
