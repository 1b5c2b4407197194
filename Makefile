# The two commands of the README: `make test` and `make run`. Both install what is missing.
# ONLY_64BIT=1 forces the 64-bit-only Wine mode (scripts/wine-mode.sh).
WINDOWS ?= xp
export WINDOWS ONLY_64BIT

.PHONY: all deps build test run screenshots bench dist fuzz format clean

all: build

deps:
	@scripts/deps.sh

build: deps
	@scripts/steps.sh build

test: deps
	@scripts/steps.sh build test

run: deps
	@scripts/steps.sh build run

screenshots: deps
	@scripts/steps.sh build screenshots

bench: deps
	@scripts/steps.sh build bench

# The release download under dist/ (scripts/dist.sh); only cross-compiles.
dist: deps
	@scripts/steps.sh dist

# The libFuzzer targets in their own clang tree, each for FUZZ_SECONDS (scripts/fuzz.sh).
fuzz: deps
	@scripts/fuzz.sh

format:
	@clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf build dist
