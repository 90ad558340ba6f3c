# Shorthands for ./lumo (the README's two commands) and for a plain build.
BUILD_DIR ?= build
export BUILD_DIR

.PHONY: run test build
run:
	./lumo run

test:
	./lumo test

build:
	tools/setup.sh $(BUILD_DIR)
	tools/build.sh $(BUILD_DIR)
