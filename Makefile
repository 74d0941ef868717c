# Shortcuts for developers; the README's commands are ./run.sh and ./test.sh.
.PHONY: run test build clean
run:
	./run.sh
test:
	./test.sh
build:
	scripts/build.sh
clean:
	rm -rf build
