# The two commands of the README: `make test` and `make run`. Both install what is missing.
WINDOWS ?= xp
export WINDOWS

.PHONY: all deps build test run screenshots bench format clean

all: build

deps:
	@scripts/deps.sh

build: deps
	@scripts/build.sh

test: build
	@scripts/test.sh

run: build
	@scripts/run.sh

screenshots: build
	@scripts/screenshots.sh

bench: build
	@scripts/bench.sh

format:
	@clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf build
